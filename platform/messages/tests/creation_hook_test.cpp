#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "win/messages.h"
#include "win/window_objects.h"

namespace {

// Everything the test windows and hooks see, in order: "hook", or a
// message number seen by the class procedure or by the procedure a hook
// put in its place.
struct Trace {
  std::vector<std::string> events;
  HWND hookedWindow = nullptr;
  int hookCalls = 0;
};
Trace g_trace;

std::string Name(UINT message) {
  switch (message) {
    case WM_NCCREATE:
      return "WM_NCCREATE";
    case WM_CREATE:
      return "WM_CREATE";
    default:
      return std::to_string(message);
  }
}

LRESULT ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE || message == WM_CREATE) g_trace.events.push_back("class " + Name(message));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE || message == WM_CREATE) g_trace.events.push_back("subclass " + Name(message));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RecordingHook(HWND hwnd, void* context) {
  ++g_trace.hookCalls;
  g_trace.hookedWindow = hwnd;
  g_trace.events.push_back(std::string("hook ") + static_cast<const char*>(context));
}

void SubclassingHook(HWND hwnd, void* context) {
  RecordingHook(hwnd, context);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
}

// Makes a second window from inside the first one's WM_CREATE.
HWND g_nested = nullptr;
LRESULT NestingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    g_nested = CreateWindowExW(0, u"QuorlaHookPlain", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Register(LPCWSTR name, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

class CreationHookTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Register(u"QuorlaHookPlain", ClassProc);
    Register(u"QuorlaHookDefault", DefWindowProcW);
    Register(u"QuorlaHookNesting", NestingProc);
  }
  void SetUp() override {
    g_trace = Trace{};
    g_nested = nullptr;
  }
  void TearDown() override { quorla::SetThreadCreationHook(nullptr, nullptr); }
  static HWND Make(LPCWSTR className) {
    return CreateWindowExW(0, className, u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
};

TEST_F(CreationHookTest, RunsWithTheNewWindowBeforeItsFirstMessage) {
  quorla::SetThreadCreationHook(RecordingHook, const_cast<char*>("first"));
  HWND hwnd = Make(u"QuorlaHookPlain");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(g_trace.hookedWindow, hwnd);
  EXPECT_EQ(g_trace.events, (std::vector<std::string>{"hook first", "class WM_NCCREATE", "class WM_CREATE"}));
  DestroyWindow(hwnd);
}

TEST_F(CreationHookTest, ProcedureSetByTheHookGetsEveryMessageEvenForTheDefaultProcedure) {
  // A class whose procedure is the default one: only the hook can reach
  // the window before WM_NCCREATE.
  quorla::SetThreadCreationHook(SubclassingHook, const_cast<char*>("frame"));
  HWND hwnd = Make(u"QuorlaHookDefault");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(g_trace.events,
            (std::vector<std::string>{"hook frame", "subclass WM_NCCREATE", "subclass WM_CREATE"}));
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubclassProc));
  DestroyWindow(hwnd);
}

TEST_F(CreationHookTest, IsUsedOnceAndNotByWindowsMadeWhileTheFirstStarts) {
  struct Case {
    const char* name;
    LPCWSTR firstClass;
    bool makeSecondAfterwards;
  };
  const Case cases[] = {
      {"second window afterwards", u"QuorlaHookPlain", true},
      {"window made inside WM_CREATE", u"QuorlaHookNesting", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_trace = Trace{};
    g_nested = nullptr;
    quorla::SetThreadCreationHook(RecordingHook, const_cast<char*>("once"));
    HWND first = Make(c.firstClass);
    ASSERT_NE(first, nullptr);
    HWND second = c.makeSecondAfterwards ? Make(u"QuorlaHookPlain") : g_nested;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(g_trace.hookCalls, 1);
    EXPECT_EQ(g_trace.hookedWindow, first);
    DestroyWindow(second);
    DestroyWindow(first);
  }
}

TEST_F(CreationHookTest, StaysSetAfterACreationThatFailedBeforeItHadAWindowUntilWithdrawn) {
  quorla::SetThreadCreationHook(RecordingHook, const_cast<char*>("pending"));
  EXPECT_EQ(Make(u"QuorlaHookNoSuchClass"), nullptr);
  EXPECT_EQ(g_trace.hookCalls, 0);
  HWND taker = Make(u"QuorlaHookPlain");
  EXPECT_EQ(g_trace.hookCalls, 1);
  EXPECT_EQ(g_trace.hookedWindow, taker);

  quorla::SetThreadCreationHook(RecordingHook, const_cast<char*>("withdrawn"));
  quorla::SetThreadCreationHook(nullptr, nullptr);
  HWND plain = Make(u"QuorlaHookPlain");
  EXPECT_EQ(g_trace.hookCalls, 1);
  DestroyWindow(plain);
  DestroyWindow(taker);
}

TEST_F(CreationHookTest, BelongsToTheThreadThatSetIt) {
  quorla::SetThreadCreationHook(RecordingHook, const_cast<char*>("mine"));
  std::thread other([] {
    HWND hwnd = Make(u"QuorlaHookPlain");
    EXPECT_NE(hwnd, nullptr);
    DestroyWindow(hwnd);
  });
  other.join();
  EXPECT_EQ(g_trace.hookCalls, 0);
  HWND mine = Make(u"QuorlaHookPlain");
  EXPECT_EQ(g_trace.hookCalls, 1);
  EXPECT_EQ(g_trace.hookedWindow, mine);
  DestroyWindow(mine);
}

}  // namespace
