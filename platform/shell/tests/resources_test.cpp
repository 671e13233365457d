// Resources built into the program by the build (quorla_resources in
// platform/CMakeLists.txt): found by numeric and text names and types, byte
// for byte the files they were made from, and usable before main runs.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win/last_error.h"
#include "win/modules.h"
#include "win/resources.h"

namespace {

std::vector<BYTE> FileBytes(const std::string& relative) {
  std::ifstream in(std::string(QUORLA_SOURCE_DIR) + "/" + relative, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

std::vector<BYTE> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

// What a program's static initialiser sees: resources before main.
const DWORD kSizeBeforeMain = [] {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(7001), u"PNG");
  return found ? SizeofResource(nullptr, found) : 0;
}();

TEST(BuiltInResources, FoundDuringStaticInitialisation) {
  EXPECT_EQ(kSizeBeforeMain, FileBytes("platform/shell/tests/fixtures/test_image.png").size());
  EXPECT_GT(kSizeBeforeMain, 0u);
}

TEST(BuiltInResources, FoundByNameAndTypeAsBuilt) {
  const std::string png = "platform/shell/tests/fixtures/test_image.png";
  const std::string ico = "platform/shell/tests/fixtures/test_icons.ico";
  HMODULE program = GetModuleHandleW(nullptr);
  struct Case {
    const char* what;
    HMODULE module;
    LPCWSTR name;
    LPCWSTR type;
    std::string file;  // empty: not found
  } cases[] = {
      {"png by number", nullptr, MAKEINTRESOURCEW(7001), u"PNG", png},
      {"type in any case", nullptr, MAKEINTRESOURCEW(7001), u"png", png},
      {"the program's module", program, MAKEINTRESOURCEW(7001), u"PNG", png},
      {"icon file", nullptr, MAKEINTRESOURCEW(7101), RT_GROUP_ICON, ico},
      {"icon by text name", nullptr, u"TestIcons", RT_GROUP_ICON, ico},
      {"text name in any case", nullptr, u"TESTICONS", RT_GROUP_ICON, ico},
      {"png is no icon", nullptr, MAKEINTRESOURCEW(7001), RT_GROUP_ICON, ""},
      {"icon is no png", nullptr, MAKEINTRESOURCEW(7101), u"PNG", ""},
      {"numeric type written as text", nullptr, MAKEINTRESOURCEW(7101), u"#14", ico},
      {"numeric name written as text", nullptr, u"#7001", u"PNG", png},
      {"text that is no number", nullptr, u"#7001x", u"PNG", ""},
      {"unknown number", nullptr, MAKEINTRESOURCEW(7002), u"PNG", ""},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    std::vector<BYTE> bytes = ResourceBytes(c.module, c.name, c.type);
    if (c.file.empty()) {
      EXPECT_TRUE(bytes.empty()) << c.what;
      EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND) << c.what;
    } else {
      std::vector<BYTE> expected = FileBytes(c.file);
      ASSERT_FALSE(expected.empty()) << c.file;
      EXPECT_EQ(bytes, expected) << c.what;
    }
  }
}

TEST(BuiltInResources, RegisteredLaterJoinTheBuiltIns) {
  static const BYTE extra[] = {1, 2, 3};
  ASSERT_TRUE(RegisterResourceW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(7003), extra, sizeof extra));
  EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCEW(7003), RT_RCDATA), std::vector<BYTE>({1, 2, 3}));
  EXPECT_FALSE(ResourceBytes(nullptr, MAKEINTRESOURCEW(7001), u"PNG").empty());
  EXPECT_FALSE(RegisterResourceW(nullptr, nullptr, MAKEINTRESOURCEW(7004), extra, 1));
  EXPECT_FALSE(RegisterResourceW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(7004), nullptr, 1));
}

}  // namespace
