// Resources built into the test program by the build (quorla_resources in
// platform/CMakeLists.txt): found by numeric and text names and types, byte
// for byte the files they were made from, usable before main runs, and read
// as a program reads them: LoadBitmapW, LoadImageW(IMAGE_BITMAP), LoadStringW.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win/dib.h"
#include "win/icons.h"
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

// Pixel (x, y), counted from the top, of a 24-bit bitmap, as 0x00RRGGBB.
std::uint32_t Pixel(const DIBSECTION& ds, int x, int y) {
  const int row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - y : y;
  const BYTE* p = static_cast<const BYTE*>(ds.dsBm.bmBits) + row * ds.dsBm.bmWidthBytes + x * 3;
  return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

TEST(BitmapResources, ABmpFileIsKeptAsThePackedDibThePlatformKeeps) {
  std::vector<BYTE> file = FileBytes("platform/shell/tests/fixtures/test_strip.bmp");
  ASSERT_GT(file.size(), 14u);
  EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCEW(7201), RT_BITMAP), std::vector<BYTE>(file.begin() + 14, file.end()));
  // A PNG stays as it is.
  EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCEW(7203), RT_BITMAP),
            FileBytes("platform/shell/tests/fixtures/test_bitmap.png"));
}

TEST(BitmapResources, LoadBitmapGivesOpaque24BitSectionsOfEveryForm) {
  struct Case {
    const char* what;
    LPCWSTR name;
    int width, height;
    std::vector<std::pair<POINT, std::uint32_t>> pixels;
  } cases[] = {
      {"24-bit bmp", MAKEINTRESOURCEW(7201), 7, 2, {{{0, 0}, 0x0000FF}, {{6, 0}, 0xB4004B}, {{3, 1}, 0x5A64A5}}},
      {"bmp by text name", u"TestStrip", 7, 2, {{{0, 0}, 0x0000FF}, {{6, 1}, 0xB4644B}}},
      {"8-bit bmp with a colour table", MAKEINTRESOURCEW(7202), 3, 2,
       {{{0, 0}, 0xFF0000}, {{1, 0}, 0x00FF00}, {{2, 0}, 0x0000FF}, {{0, 1}, 0x0000FF}, {{2, 1}, 0xFF0000}}},
      {"png with alpha: its colours, opaque", MAKEINTRESOURCEW(7203), 2, 2,
       {{{0, 0}, 0x0A141E}, {{1, 0}, 0x28323C}, {{0, 1}, 0x46505A}, {{1, 1}, 0xFFFFFF}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HBITMAP bitmap = LoadBitmapW(nullptr, c.name);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds)) << "a DIB section";
    EXPECT_EQ(ds.dsBm.bmWidth, c.width);
    EXPECT_EQ(ds.dsBm.bmHeight, c.height);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
    EXPECT_GT(ds.dsBmih.biHeight, 0) << "bottom row first, as loaded bitmaps are";
    for (const auto& [at, rgb] : c.pixels) EXPECT_EQ(Pixel(ds, at.x, at.y), rgb) << at.x << "," << at.y;
    EXPECT_TRUE(DeleteObject(bitmap));
  }
}

TEST(BitmapResources, LoadImageScalesBitmapsAndFailuresSayWhy) {
  HBITMAP scaled = static_cast<HBITMAP>(
      LoadImageW(nullptr, MAKEINTRESOURCEW(7201), IMAGE_BITMAP, 14, 4, LR_CREATEDIBSECTION));
  ASSERT_NE(scaled, nullptr);
  BITMAP bm{};
  GetObjectW(scaled, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 14);
  EXPECT_EQ(bm.bmHeight, 4);
  DeleteObject(scaled);
  HBITMAP own = static_cast<HBITMAP>(LoadImageW(nullptr, MAKEINTRESOURCEW(7202), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(own, nullptr);
  GetObjectW(own, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 3);
  DeleteObject(own);

  struct Failure {
    const char* what;
    LPCWSTR name;
    DWORD error;
  } failures[] = {
      {"no such bitmap", MAKEINTRESOURCEW(7299), ERROR_RESOURCE_NAME_NOT_FOUND},
      {"a png resource is no bitmap resource", MAKEINTRESOURCEW(7001), ERROR_RESOURCE_NAME_NOT_FOUND},
      {"no name", nullptr, ERROR_INVALID_PARAMETER},
  };
  for (const Failure& f : failures) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmapW(nullptr, f.name), nullptr) << f.what;
    EXPECT_EQ(GetLastError(), f.error) << f.what;
  }
  static const BYTE garbage[] = {40, 0, 0, 0, 1, 2, 3};
  ASSERT_TRUE(RegisterResourceW(nullptr, RT_BITMAP, MAKEINTRESOURCEW(7298), garbage, sizeof garbage));
  SetLastError(0);
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(7298)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

TEST(StringTable, LoadStringReadsTheTableBuiltIntoTheProgram) {
  struct Case {
    UINT id;
    std::u16string text;
  } cases[] = {
      {1001, u"最小化"},
      {1004, u"关闭"},
      {1003, u"replaced later"},
      {1017, u"the item wins"},
      {2000, u"from the build file"},
      {1020, u"two\nlines\tand a \\ backslash"},
      {1022, u"an = sign; and [brackets]"},
      {1021, u""},
      {1002, u""},   // missing in a block that exists
      {1000, u""},   // missing, first of its block
      {5000, u""},   // no such block
      {70000, u""},  // beyond every id
  };
  for (const Case& c : cases) {
    WCHAR buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), u'?');
    int n = LoadStringW(nullptr, c.id, buffer, 64);
    EXPECT_EQ(std::u16string(buffer, static_cast<size_t>(n)), c.text) << c.id;
    EXPECT_EQ(buffer[n], 0) << c.id << ": zero-terminated";
  }
}

TEST(StringTable, SmallBuffersAndTheReadOnlyPointer) {
  WCHAR buffer[4] = {u'?', u'?', u'?', u'?'};
  EXPECT_EQ(LoadStringW(nullptr, 1017, buffer, 4), 3);
  EXPECT_EQ(std::u16string(buffer), u"the");
  EXPECT_EQ(LoadStringW(nullptr, 1017, buffer, 1), 0);
  EXPECT_EQ(buffer[0], 0);

  const WCHAR* inside = nullptr;
  EXPECT_EQ(LoadStringW(nullptr, 1001, reinterpret_cast<LPWSTR>(&inside), 0), 3);
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(std::u16string(inside, 3), u"最小化") << "not zero-terminated: the length tells where it ends";
  inside = reinterpret_cast<const WCHAR*>(1);
  EXPECT_EQ(LoadStringW(nullptr, 4999, reinterpret_cast<LPWSTR>(&inside), 0), 0);
  EXPECT_EQ(inside, nullptr);
  EXPECT_EQ(LoadStringW(nullptr, 1001, nullptr, 10), 0);
}

TEST(StringTable, RegistrationRefusesMalformedLinesWhole) {
  HMODULE module = reinterpret_cast<HMODULE>(0x5150);  // a module of its own, so blocks start empty
  struct Case {
    const char* lines;
    bool accepted;
  } cases[] = {
      {"1=one\r\n2=two\n", true},
      {"x=letter", false},
      {"=no id", false},
      {"65536=too large", false},
      {"1 = spaced", false},
      {"7=bad escape \\q", false},
      {"7=escape at the end \\", false},
      {"7=\xff\xfe not utf-8", false},
      {"no equals sign", false},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(RegisterStringTableW(module, c.lines, static_cast<DWORD>(std::strlen(c.lines))) != FALSE, c.accepted)
        << c.lines;
    if (!c.accepted) {
      EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA) << c.lines;
    }
  }
  WCHAR buffer[8];
  EXPECT_EQ(LoadStringW(module, 2, buffer, 8), 3);
  EXPECT_EQ(std::u16string(buffer), u"two");
  EXPECT_EQ(LoadStringW(module, 7, buffer, 8), 0) << "a refused table registers nothing";
}

}  // namespace
