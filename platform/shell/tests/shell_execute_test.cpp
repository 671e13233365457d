#include "win/shell_execute.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "child_processes.h"
#include "command_line_probe_report.h"
#include "utf.h"
#include "win/last_error.h"
#include "win/window_styles.h"

namespace {

using quorla::testing::CommandLineProbeReport;
using quorla::testing::TemporaryFolder;

// Programs named as the system's: copies of command_line_probe called
// VXBrowser and VXTray in a folder whose name has a blank and Chinese.
class ShellExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programs_ = root_ / "程序 目录";
    work_ = root_ / "work dir";
    std::filesystem::create_directories(programs_);
    std::filesystem::create_directories(work_);
    for (const char* name : {"VXBrowser", "VXTray"})
      std::filesystem::copy_file(quorla::testing::FixtureProgram("command_line_probe"), programs_ + "/" + name);
  }

  // Runs ShellExecuteW and reads what the started program saw; the result is
  // in *result.
  std::optional<CommandLineProbeReport> Launch(LPCWSTR verb, const std::u16string& file, LPCWSTR parameters,
                                               LPCWSTR directory, INT_PTR* result) {
    const std::string report = root_ / ("report-" + std::to_string(++launches_));
    ::setenv("QUORLA_PROBE_REPORT", report.c_str(), 1);
    *result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, verb, file.c_str(), parameters, directory, SW_SHOWNORMAL));
    ::unsetenv("QUORLA_PROBE_REPORT");
    // The program is nobody's child here: nothing to reap, no zombie left.
    int status;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    if (*result <= 32) return std::nullopt;
    auto text = quorla::testing::AwaitFile(report);
    return text ? quorla::testing::ParseCommandLineProbeReport(*text) : std::nullopt;
  }

  std::u16string Wide(const std::string& text) { return quorla::Utf8ToUtf16(text); }

  TemporaryFolder root_;
  std::string programs_;
  std::string work_;
  int launches_ = 0;
};

TEST_F(ShellExecuteTest, TheProgramSeesItsCommandLineVerbatimAndArgvSplitFromIt) {
  const std::string browser = programs_ + "/VXBrowser";
  const std::string tray = programs_ + "/VXTray";
  struct Case {
    std::u16string file;
    const char16_t* parameters;
    std::string line;
    std::vector<std::string> argv;
  } const cases[] = {
      {Wide(programs_ + "/sub/..\\vxbrowser.exe"), u"/tray", "\"" + browser + "\" /tray", {browser, "/tray"}},
      {Wide(programs_ + "\\VXTRAY.EXE"), nullptr, "\"" + tray + "\"", {tray}},
      {Wide(programs_ + "/VXTray.exe"), u"", "\"" + tray + "\"", {tray}},
      {Wide(programs_ + "/vxbrowser.EXE"), u"/PRICE", "\"" + browser + "\" /PRICE", {browser, "/PRICE"}},
      {Wide(browser), u"https://item.taobao.com/item.htm?id=1&t=测试 商品",
       "\"" + browser + "\" https://item.taobao.com/item.htm?id=1&t=测试 商品",
       {browser, "https://item.taobao.com/item.htm?id=1&t=测试", "商品"}},
      {Wide(browser), u"  two \"quoted arg\" a\\\"b  ", "\"" + browser + "\"   two \"quoted arg\" a\\\"b  ",
       {browser, "two", "quoted arg", "a\"b"}},
      {Wide(browser), u" /tray", "\"" + browser + "\"  /tray", {browser, "/tray"}},
  };
  char here[4096];
  ASSERT_NE(::getcwd(here, sizeof(here)), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(quorla::Utf16ToUtf8(c.file) + " | " + (c.parameters ? quorla::Utf16ToUtf8(c.parameters) : "(null)"));
    INT_PTR result = 0;
    auto report = Launch(nullptr, c.file, c.parameters, nullptr, &result);
    EXPECT_GT(result, 32);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->commandLine, c.line);
    EXPECT_EQ(report->argv, c.argv);
    EXPECT_EQ(report->folder, here);
    EXPECT_FALSE(report->handedLineInherited);
    EXPECT_NE(report->session, std::to_string(::getsid(0))) << "a session of its own";
  }
}

TEST_F(ShellExecuteTest, VerbsAndFoldersAndRelativeFiles) {
  const std::string browser = programs_ + "/VXBrowser";
  INT_PTR result = 0;
  auto report = Launch(u"OPEN", Wide(browser), u"x", Wide(work_).c_str(), &result);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->folder, work_);

  report = Launch(u"open", Wide(browser), nullptr, u"", &result);
  ASSERT_TRUE(report);
  char here[4096];
  ASSERT_NE(::getcwd(here, sizeof(here)), nullptr);
  EXPECT_EQ(report->folder, here);

  ASSERT_EQ(::chdir(programs_.c_str()), 0);
  report = Launch(nullptr, u"vxtray.exe", u"rel", nullptr, &result);
  ASSERT_EQ(::chdir(here), 0);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->commandLine, "\"" + programs_ + "/VXTray\" rel");
  EXPECT_EQ(report->folder, programs_);
}

TEST_F(ShellExecuteTest, FailuresGiveSmallResultsAndTheirErrors) {
  std::ofstream(root_ / "notes.txt") << "text";
  std::ofstream(root_ / "garbage") << "neither a program nor a script\n";
  ::chmod((root_ / "garbage").c_str(), 0700);
  const std::string browser = programs_ + "/VXBrowser";
  struct Case {
    const char* label;
    const char16_t* verb;
    std::u16string file;
    std::u16string directory;
    INT_PTR result;
    DWORD error;
  } const cases[] = {
      {"missing file", nullptr, Wide(programs_ + "/nothing.exe"), u"", SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
      {"missing folder", nullptr, Wide(root_ / "gone/vxbrowser.exe"), u"", SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
      {"empty file", nullptr, u"", u"", SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
      {"not executable", nullptr, Wide(root_ / "notes.txt"), u"", SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
      {"a folder", nullptr, Wide(work_), u"", SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
      {"not a program", nullptr, Wide(root_ / "garbage"), u"", SE_ERR_BADFORMAT, ERROR_BAD_EXE_FORMAT},
      {"other verb", u"print", Wide(browser), u"", SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
      {"missing directory", nullptr, Wide(browser), Wide(root_ / "nowhere"), SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    INT_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    auto report = Launch(c.verb, c.file, u"/tray", c.directory.empty() ? nullptr : c.directory.c_str(), &result);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, nullptr, nullptr, nullptr, nullptr, SW_SHOWNORMAL)),
            SE_ERR_FNF);
}

}  // namespace
