#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "win/paths.h"
#include "win/strings.h"

namespace {

std::u16string Combine(const char16_t* dir, const char16_t* file) {
  WCHAR out[MAX_PATH];
  if (!PathCombineW(out, dir, file)) return u"<null>";
  return out;
}

TEST(Paths, CombineTakesBothSeparatorsAndFoldsDots) {
  EXPECT_EQ(Combine(u"/opt/q/bin", u"..\\config\\domainList.xml"), u"/opt/q/config/domainList.xml");
  EXPECT_EQ(Combine(u"/home/u/.config", u"\\vxbrowser\\config.ini"), u"/home/u/.config/vxbrowser/config.ini");
  EXPECT_EQ(Combine(u"/a/b/", u"./c/../d"), u"/a/b/d");
  EXPECT_EQ(Combine(u"/a", u"../../.."), u"/");
  EXPECT_EQ(Combine(u"/a/b", u"/abs/x"), u"/abs/x");
  EXPECT_EQ(Combine(u"/价格/目录", u"文件.txt"), u"/价格/目录/文件.txt");
}

TEST(Paths, AppendRefusesResultsPastMaxPath) {
  WCHAR path[MAX_PATH] = u"/base";
  std::u16string longName(MAX_PATH, u'x');
  EXPECT_FALSE(PathAppendW(path, longName.c_str()));
  EXPECT_TRUE(PathAppendW(path, u"ok"));
  EXPECT_EQ(std::u16string(path), u"/base/ok");
}

TEST(Paths, RemoveFileSpecCutsAtTheLastSeparator) {
  struct Case {
    const char16_t* in;
    const char16_t* out;
    BOOL removed;
  } cases[] = {
      {u"/opt/q/VXTray", u"/opt/q", TRUE},
      {u"C:\\dir\\x.dll", u"C:\\dir", TRUE},
      {u"/file", u"/", TRUE},
      {u"/", u"/", FALSE},
      {u"name", u"", TRUE},
  };
  for (const Case& c : cases) {
    WCHAR buf[MAX_PATH];
    lstrcpynW(buf, c.in, MAX_PATH);
    EXPECT_EQ(PathRemoveFileSpecW(buf), c.removed);
    EXPECT_EQ(std::u16string(buf), std::u16string(c.out));
  }
  EXPECT_EQ(std::u16string(PathFindFileNameW(u"/a/b\\c.txt")), u"c.txt");
}

TEST(Paths, ExistenceIgnoresLetterCaseOfTheFileName) {
  auto dir = std::filesystem::temp_directory_path() / "quorla-paths-test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "Gravik.dll") << "x";
  std::u16string base = dir.u16string();
  EXPECT_TRUE(PathFileExistsW((base + u"/Gravik.dll").c_str()));
  EXPECT_TRUE(PathFileExistsW((base + u"/gravik.DLL").c_str()));
  EXPECT_FALSE(PathFileExistsW((base + u"/gravik.dl").c_str()));
  EXPECT_TRUE(PathIsDirectoryW(base.c_str()));
  EXPECT_FALSE(PathIsDirectoryW((base + u"/Gravik.dll").c_str()));
  std::filesystem::remove_all(dir);
}

}  // namespace
