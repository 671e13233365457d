#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "win/modules.h"
#include "win/threads.h"

namespace {

using afx_test::RawClass;

// Runs the program on the framework in a mode: its exit status (none when
// it had to be killed) and what it logged.
struct ProbeRun {
  std::optional<int> exitCode;
  std::vector<std::string> log;
};

ProbeRun RunProbe(const std::string& mode) {
  char folder[] = "/tmp/afx-probe-XXXXXX";
  EXPECT_NE(mkdtemp(folder), nullptr);
  const std::string logPath = std::string(folder) + "/log";
  const int status = std::system(("AFX_PROBE_MODE=" + mode + " AFX_PROBE_LOG=" + logPath +
                                  " timeout -s KILL 30 " QUORLA_TEST_DIR "/AfxAppProbe")
                                     .c_str());
  ProbeRun run;
  if (WIFEXITED(status) && WEXITSTATUS(status) != 128 + SIGKILL) run.exitCode = WEXITSTATUS(status);
  std::ifstream file(logPath);
  for (std::string line; std::getline(file, line);) run.log.push_back(line);
  std::filesystem::remove_all(folder);
  return run;
}

TEST(WinAppEntryTest, StaticObjectsFirstThenInitInstanceAndTheOrdinaryExit) {
  const struct {
    const char* mode;
    int exitCode;  // the status byte
    std::vector<std::string> log;
  } cases[] = {
      // FALSE: the ordinary exit with a non-zero code; the teardowns run.
      {"fail", 255, {"static", "init", "exit", "teardown"}},
      // TRUE without a main window: the loop ends at once with 0.
      {"nowindow", 0, {"static", "init", "exit", "teardown"}},
      // The main window's destruction ends the loop with 0.
      {"window", 0, {"static", "init", "exit", "teardown"}},
      {"quit", 7, {"static", "init", "exit", "teardown"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ProbeRun run = RunProbe(c.mode);
    ASSERT_TRUE(run.exitCode.has_value());
    EXPECT_EQ(*run.exitCode, c.exitCode);
    EXPECT_EQ(run.log, c.log);
  }
}

TEST(WinAppTest, RunEndsAtOnceWithoutAMainWindow) {
  CWinApp app(u"test");
  // Messages waiting in the queue do not keep it going.
  PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(app.Run(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  afx_test::Drain();
}

TEST(WinAppTest, NamesAndHandles) {
  CWinApp app(u"Quorla");
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(std::u16string(AfxGetAppName()), u"Quorla");
  EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleW(nullptr));
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
  CWinApp unnamed;
  EXPECT_EQ(AfxGetApp(), &app);  // the first one stays the application
  EXPECT_EQ(std::u16string(unnamed.m_pszAppName), u"afx_tests");
}

// Logs each PreTranslateMessage with its name; swallows when told to.
class CTranslating : public CWnd {
 public:
  CTranslating(const char* name, std::vector<std::string>* log) : name_(name), log_(log) {}
  bool swallow = false;
  bool handled = false;

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_USER + 5) log_->push_back(name_);
    return swallow;
  }

 protected:
  LRESULT OnProbe(WPARAM, LPARAM) {
    handled = true;
    return 0;
  }
  DECLARE_MESSAGE_MAP()

 private:
  const char* name_;
  std::vector<std::string>* log_;
};

BEGIN_MESSAGE_MAP(CTranslating, CWnd)
  ON_MESSAGE(WM_USER + 5, OnProbe)
END_MESSAGE_MAP()

class PreTranslateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(main.CreateEx(0, RawClass(), u"main", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    ASSERT_TRUE(child.Create(RawClass(), u"", 0, CRect(0, 0, 100, 100), &main, 1));
    ASSERT_TRUE(grandchild.Create(RawClass(), u"", 0, CRect(0, 0, 50, 50), &child, 2));
    ASSERT_TRUE(other.CreateEx(0, RawClass(), u"other", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(otherChild.Create(RawClass(), u"", 0, CRect(0, 0, 50, 50), &other, 3));
    ASSERT_TRUE(owned.CreateEx(0, RawClass(), u"owned", WS_POPUP, 0, 0, 100, 100, main.m_hWnd, nullptr));
    app.m_pMainWnd = &main;
    afx_test::Drain();
  }
  void TearDown() override { app.m_pMainWnd = nullptr; }

  // Posts the probe message to the window and lets the application's loop
  // take that one message.
  void PumpOne(HWND hwnd) {
    log.clear();
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER + 5, 0, 0));
    ASSERT_TRUE(app.PumpMessage());
  }

  CWinApp app{u"pretranslate"};
  std::vector<std::string> log;
  CTranslating main{"main", &log};
  CTranslating child{"child", &log};
  CTranslating grandchild{"grandchild", &log};
  CTranslating other{"other", &log};
  CTranslating otherChild{"other child", &log};
  CTranslating owned{"owned", &log};
};

TEST_F(PreTranslateTest, FromTheMessagesWindowUpItsParentsToTheMainWindow) {
  const struct {
    const char* name;
    CTranslating* target;
    CTranslating* swallower;
    std::vector<std::string> expected;
  } cases[] = {
      {"grandchild", &grandchild, nullptr, {"grandchild", "child", "main"}},
      {"child", &child, nullptr, {"child", "main"}},
      {"main window", &main, nullptr, {"main"}},
      {"swallowed on the way", &grandchild, &child, {"grandchild", "child"}},
      {"swallowed at once", &grandchild, &grandchild, {"grandchild"}},
      {"another top-level window", &otherChild, nullptr, {"other child", "other", "main"}},
      {"another top-level window, swallowed by the main window", &otherChild, &main, {"other child", "other", "main"}},
      // A window the main window owns (a dialog) leads to it: once only.
      {"owned window", &owned, nullptr, {"owned", "main"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.target->handled = false;
    if (c.swallower) c.swallower->swallow = true;
    PumpOne(c.target->m_hWnd);
    if (c.swallower) c.swallower->swallow = false;
    EXPECT_EQ(log, c.expected);
    // A swallowed message is never dispatched.
    EXPECT_EQ(c.target->handled, c.swallower == nullptr);
  }
}

TEST_F(PreTranslateTest, WindowsWithoutObjectsAreSteppedOver) {
  HWND bare = CreateWindowExW(0, RawClass(), u"", WS_CHILD, 0, 0, 10, 10, grandchild.m_hWnd, nullptr, nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  PumpOne(bare);
  EXPECT_EQ(log, (std::vector<std::string>{"grandchild", "child", "main"}));
  HWND lonely = CreateWindowExW(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PumpOne(lonely);
  EXPECT_EQ(log, std::vector<std::string>{"main"});
  // Thread messages belong to no window.
  log.clear();
  PostThreadMessageW(GetCurrentThreadId(), WM_USER + 5, 0, 0);
  ASSERT_TRUE(app.PumpMessage());
  EXPECT_TRUE(log.empty());
  DestroyWindow(lonely);
}

TEST_F(PreTranslateTest, TheLoopEndsWhenTheMainWindowGoesOrAtQuit) {
  PostMessageW(grandchild.m_hWnd, WM_USER + 5, 0, 0);
  PostQuitMessage(9);
  EXPECT_EQ(app.Run(), 9);
  EXPECT_TRUE(grandchild.handled);
  EXPECT_EQ(log, (std::vector<std::string>{"grandchild", "child", "main"}));

  PostMessageW(main.m_hWnd, WM_CLOSE, 0, 0);  // the default handling destroys it
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(main.m_hWnd, nullptr);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

}  // namespace
