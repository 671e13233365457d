#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "win/modules.h"
#include "win/threads.h"

extern char** environ;

namespace {

using afx_test::RawClass;

struct ProbeRun {
  std::optional<int> exitCode;  // none when it did not end by itself in time
  std::vector<std::string> log;
  std::chrono::milliseconds took;
};

ProbeRun RunProbe(const std::string& mode) {
  char folder[] = "/tmp/afx-probe-XXXXXX";
  EXPECT_NE(mkdtemp(folder), nullptr);
  std::string logPath = std::string(folder) + "/log";
  std::vector<std::string> environment;
  for (char** e = environ; *e; ++e) environment.emplace_back(*e);
  environment.push_back("AFX_PROBE_MODE=" + mode);
  environment.push_back("AFX_PROBE_LOG=" + logPath);
  std::vector<char*> envp;
  for (auto& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string program = QUORLA_TEST_DIR "/AfxAppProbe";
  char* argv[] = {program.data(), nullptr};

  ProbeRun run;
  auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()), 0);
  int status = 0;
  while (pid > 0) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
      break;
    }
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(30)) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::ifstream file(logPath);
  for (std::string line; std::getline(file, line);) run.log.push_back(line);
  std::remove(logPath.c_str());
  rmdir(folder);
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
  app.SetRegistryKey(u"应用程序向导生成的本地应用程序");
  EXPECT_EQ(std::u16string(app.m_pszRegistryKey), u"应用程序向导生成的本地应用程序");
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
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
