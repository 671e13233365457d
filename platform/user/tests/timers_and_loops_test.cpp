#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "win/threads.h"
#include "win/time.h"
#include <QWidget>

#include "window_access.h"
#include "window_test_support.h"

namespace {

using quorla_test::WindowLog;

constexpr UINT WM_RUN_NESTED = WM_USER + 40;

// Runs a GetMessageW loop until WM_QUIT; returns its exit code.
int RunLoop() {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return got == 0 ? static_cast<int>(msg.wParam) : -1;
}

// A timer ticking in a loop nested inside a sent message; on the thread that
// runs Qt (a shown window) or on a plain queue (a hidden one).
void TimerTicksInNestedLoop(DWORD style) {
  WindowLog log;
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | style, 0, 0, 10, 10);
  quorla_test::DrainMessages();
  int ticks = 0;
  int nestedResult = -2;
  log.handlers[WM_TIMER] = [&](HWND h, UINT, WPARAM id, LPARAM) {
    if (id == 7 && ++ticks == 3) {
      KillTimer(h, 7);
      PostQuitMessage(42);
    }
    return 0;
  };
  log.handlers[WM_RUN_NESTED] = [&](HWND h, UINT, WPARAM, LPARAM) {
    SetTimer(h, 7, 20, nullptr);
    nestedResult = RunLoop();
    return 0;
  };
  ULONGLONG start = GetTickCount64();
  SendMessageW(hwnd, WM_RUN_NESTED, 0, 0);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(nestedResult, 42) << "WM_QUIT ends the nested loop";
  EXPECT_GE(GetTickCount64() - start, 55u) << "the first tick comes one period after SetTimer";
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) << "a killed timer ticks no more";
  DestroyWindow(hwnd);
}

TEST(TimersAndLoops, ATimerTicksInsideANestedLoopInsideASentMessage) { TimerTicksInNestedLoop(0); }

TEST(TimersAndLoops, ATimerTicksInsideANestedLoopOfTheUserInterfaceThread) { TimerTicksInNestedLoop(WS_VISIBLE); }

TEST(TimersAndLoops, ABusyThreadFindsOneTickPerTimerNotABacklog) {
  std::atomic<int> ticks{0};
  std::atomic<int> idsSeen{0};
  std::thread worker([&] {
    UINT_PTR a = SetTimer(nullptr, 0, 10, nullptr);
    UINT_PTR b = SetTimer(nullptr, 0, 15, nullptr);
    EXPECT_NE(a, b);
    Sleep(200);  // both are long overdue
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER) {
        ++ticks;
        idsSeen |= msg.wParam == a ? 1 : msg.wParam == b ? 2 : 4;
      }
    }
    KillTimer(nullptr, a);
    KillTimer(nullptr, b);
  });
  worker.join();
  EXPECT_EQ(ticks.load(), 2);
  EXPECT_EQ(idsSeen.load(), 3);
}

TEST(TimersAndLoops, AWorkerLoopWakesForItsTimerAndItsCallback) {
  std::atomic<int> callbacks{0};
  static std::atomic<int>* counter = nullptr;
  counter = &callbacks;
  int code = -1;
  std::thread worker([&] {
    UINT_PTR id = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
      if (++*counter == 2) PostQuitMessage(5);
    });
    ASSERT_NE(id, 0u);
    code = RunLoop();
    KillTimer(nullptr, id);
  });
  worker.join();
  EXPECT_EQ(code, 5);
  EXPECT_EQ(callbacks.load(), 2);
}

TEST(TimersAndLoops, APostedTimerMessageCannotCallAnArbitraryAddress) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  WindowLog log;
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = WM_TIMER;
  msg.wParam = 9;
  msg.lParam = 0x1234;  // no timer was set with this callback
  DispatchMessageW(&msg);
  EXPECT_EQ(log.Of(hwnd, WM_TIMER).size(), 1u) << "it goes to the window procedure instead";
  DestroyWindow(hwnd);
}

TEST(TimersAndLoops, SetTimerRefusesAnotherThreadsWindow) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  UINT_PTR result = 1;
  std::thread([&] { result = SetTimer(hwnd, 1, 100, nullptr); }).join();
  EXPECT_EQ(result, 0u);
  DestroyWindow(hwnd);
}

TEST(TimersAndLoops, TheUserInterfaceLoopWakesForAWorkersSendPostAndInvalidation) {
  WindowLog log;
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);  // this thread now runs Qt
  quorla_test::DrainMessages();
  log.handlers[WM_USER + 1] = [](HWND, UINT, WPARAM w, LPARAM) { return static_cast<LRESULT>(w + 1); };
  log.handlers[WM_USER + 2] = [](HWND, UINT, WPARAM w, LPARAM) {
    PostQuitMessage(static_cast<int>(w));
    return 0;
  };
  log.handlers[WM_PAINT] = [](HWND h, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    PostQuitMessage(9);
    return 0;
  };
  struct Case {
    const char* name;
    std::function<void()> work;  // on the worker
    int quitCode;
  } cases[] = {
      {"a send, then a post",
       [hwnd] {
         Sleep(50);
         EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 41, 0), 42);
         Sleep(20);
         PostMessageW(hwnd, WM_USER + 2, 7, 0);
       },
       7},
      {"an invalidation",
       [hwnd] {
         Sleep(50);
         InvalidateRect(hwnd, nullptr, FALSE);
       },
       9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::thread worker(c.work);
    EXPECT_EQ(RunLoop(), c.quitCode);
    worker.join();
  }
  DestroyWindow(hwnd);
}

TEST(TimersAndLoops, AWindowShownAndMovedByAWorkerReachesTheScreenOnItsOwnThread) {
  HWND shown = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);  // this thread runs Qt
  HWND later = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 30, 30);
  quorla_test::DrainMessages();
  ASSERT_EQ(quorla::WidgetOfWindow(later), nullptr);
  std::thread worker([&] {
    ShowWindow(later, SW_SHOWNA);
    SetWindowPos(shown, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostQuitMessage(0);  // the worker's own queue: nothing for the loop below
    PostMessageW(shown, WM_USER + 2, 0, 0);
  });
  WindowLog log;
  log.handlers[WM_USER + 2] = [](HWND, UINT, WPARAM, LPARAM) {
    PostQuitMessage(1);
    return 0;
  };
  EXPECT_EQ(RunLoop(), 1);
  worker.join();
  quorla_test::DrainMessages();
  QWidget* widget = quorla::WidgetOfWindow(later);
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->isVisible());
  EXPECT_EQ(quorla::WidgetOfWindow(shown)->geometry().topLeft(), QPoint(50, 60));
  DestroyWindow(shown);
  DestroyWindow(later);
}

TEST(TimersAndLoops, AFilteredLoopWaitsForItsOwnMessagesOnly) {
  HWND a = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
  HWND b = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 20, 20);
  quorla_test::DrainMessages();
  PostMessageW(a, WM_USER + 3, 0, 0);  // not for the filter below
  SetTimer(a, 1, 10, nullptr);         // neither
  std::thread worker([b] {
    Sleep(80);
    PostMessageW(b, WM_USER + 4, 0, 0);
  });
  MSG msg;
  ULONGLONG start = GetTickCount64();
  ASSERT_EQ(GetMessageW(&msg, b, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_USER + 4u);
  EXPECT_GE(GetTickCount64() - start, 60u);
  worker.join();
  ASSERT_TRUE(PeekMessageW(&msg, a, WM_USER + 3, WM_USER + 3, PM_REMOVE)) << "left in the queue";
  KillTimer(a, 1);
  DestroyWindow(a);
  DestroyWindow(b);
}

}  // namespace
