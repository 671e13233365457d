#include "command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "child_processes.h"
#include "command_line_probe_report.h"
#include "utf.h"
#include "win/command_line.h"

namespace {

using quorla::testing::ChildProcess;
using quorla::testing::TemporaryFolder;

struct SplitCase {
  const char16_t* line;
  std::vector<std::u16string> arguments;
};

TEST(CommandLineTest, SplitsByThePlatformRules) {
  const SplitCase cases[] = {
      {u"", {u""}},
      {u"prog", {u"prog"}},
      {u"\"C:\\prog dir\\a.exe\" /tray", {u"C:\\prog dir\\a.exe", u"/tray"}},
      {u"prog  a\tb ", {u"prog", u"a", u"b"}},
      {u"prog \"a b\" c", {u"prog", u"a b", u"c"}},
      {u"prog a\\\\b", {u"prog", u"a\\\\b"}},
      {u"prog a\\\"b", {u"prog", u"a\"b"}},
      {u"prog a\\\\\"b c\"", {u"prog", u"a\\b c"}},
      {u"prog a\\\\\\\"b", {u"prog", u"a\\\"b"}},
      {u"prog \"a\"\"b\"", {u"prog", u"a\"b"}},
      {u"prog \"\" x", {u"prog", u"", u"x"}},
      {u"prog \"open end", {u"prog", u"open end"}},
      {u"prog ab\"c d\"ef", {u"prog", u"abc def"}},
      // The program path knows no escapes; it ends at the next quote.
      {u"\"C:\\dir\\\"x y", {u"C:\\dir\\", u"x", u"y"}},
      {u"\"unclosed program", {u"unclosed program"}},
      {u"\"/opt/浏览器/VXBrowser\" https://例子.cn/?q=商品 名", {u"/opt/浏览器/VXBrowser", u"https://例子.cn/?q=商品", u"名"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(quorla::SplitCommandLine(c.line), c.arguments) << quorla::Utf16ToUtf8(c.line);
  }
}

TEST(CommandLineTest, ComposesAndJoins) {
  EXPECT_EQ(quorla::ComposeCommandLine(u"/a b/p", u""), u"\"/a b/p\"");
  EXPECT_EQ(quorla::ComposeCommandLine(u"/p", u"/tray"), u"\"/p\" /tray");
  EXPECT_EQ(quorla::ComposeCommandLine(u"/p", u" x "), u"\"/p\"  x ");
  EXPECT_EQ(quorla::CommandLineFromArguments({u"/bin/p", u"a b", u"c"}), u"\"/bin/p\" a b c");
  EXPECT_EQ(quorla::CommandLineFromArguments({u"p"}), u"\"p\"");
  EXPECT_EQ(quorla::CommandLineFromArguments({}), u"");
}

TEST(CommandLineTest, ThisProcessSeesItsArgumentsJoined) {
  auto raw = quorla::testing::ReadFile("/proc/self/cmdline");
  ASSERT_TRUE(raw);
  std::vector<std::u16string> arguments;
  for (size_t start = 0; start < raw->size();) {
    size_t end = raw->find('\0', start);
    arguments.push_back(quorla::Utf8ToUtf16(raw->substr(start, end - start)));
    start = end + 1;
  }
  EXPECT_EQ(std::u16string(GetCommandLineW()), quorla::CommandLineFromArguments(arguments));
}

struct HandedCase {
  const char* name;
  std::vector<std::string> arguments;  // after the program
  std::string handed;                  // "%p" stands for the program path
  std::string expected;
};

// A line in the variable counts only when it splits into the program's own
// arguments; either way the program's children never inherit it.
TEST(CommandLineTest, AHandedLineCountsOnlyWhenItMatchesTheArguments) {
  const std::string program = quorla::testing::FixtureProgram("command_line_probe");
  const HandedCase cases[] = {
      {"matching", {"two", "blanks"}, "\"%p\"  two   blanks", "\"%p\"  two   blanks"},
      {"quoted", {"a b", "c"}, "\"%p\" \"a b\" c", "\"%p\" \"a b\" c"},
      {"stale", {"/tray"}, "\"/elsewhere/VXBrowser\" /tray", "\"%p\" /tray"},
      {"other arguments", {"x"}, "\"%p\" y", "\"%p\" x"},
  };
  auto expand = [&](std::string text) {
    for (size_t at; (at = text.find("%p")) != std::string::npos;) text.replace(at, 2, program);
    return text;
  };
  for (const HandedCase& c : cases) {
    TemporaryFolder folder;
    const std::string report = folder / "report";
    ::setenv("QUORLA_PROBE_REPORT", report.c_str(), 1);
    ::setenv("QUORLA_COMMAND_LINE", expand(c.handed).c_str(), 1);
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    ChildProcess child(argv);
    ::unsetenv("QUORLA_COMMAND_LINE");
    ::unsetenv("QUORLA_PROBE_REPORT");
    int status = child.Wait();
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.name;
    auto probe = quorla::testing::ParseCommandLineProbeReport(quorla::testing::ReadFile(report).value_or(""));
    ASSERT_TRUE(probe) << c.name;
    EXPECT_EQ(probe->commandLine, expand(c.expected)) << c.name;
    EXPECT_EQ(probe->argv, argv) << c.name;
    EXPECT_FALSE(probe->handedLineInherited) << c.name;
  }
}

}  // namespace
