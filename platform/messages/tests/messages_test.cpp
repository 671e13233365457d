#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "win/events.h"
#include "win/handles.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/waits.h"
#include "win/window_objects.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;
constexpr UINT WM_THROW = WM_USER + 8;
constexpr UINT WM_SEND_BACK = WM_USER + 9;

// Records what a window receives; one per test.
struct Log {
  std::vector<UINT> messages;
  std::vector<DWORD> threads;
  HWND sendBackTo = nullptr;
};
Log* g_log = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_THROW) throw std::runtime_error("handler fault");
  if (message >= WM_USER) {
    g_log->messages.push_back(message);
    g_log->threads.push_back(GetCurrentThreadId());
    if (message == WM_SEND_BACK) return SendMessageW(g_log->sendBackTo, WM_PROBE, 0, 0) + 1;
    return static_cast<LRESULT>(wParam) * 2;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log = &log;
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = u"QuorlaMessagesTest";
    RegisterClassW(&wc);  // may exist from an earlier test in this process
  }
  HWND MakeWindow() { return CreateWindowExW(0, u"QuorlaMessagesTest", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr); }
  Log log;
};

TEST_F(MessagesTest, PostedMessagesArriveInOrderAndAreDispatched) {
  HWND hwnd = MakeWindow();
  ASSERT_NE(hwnd, nullptr);
  for (UINT i = 0; i < 3; ++i) EXPECT_TRUE(PostMessageW(hwnd, WM_PROBE + 0, i, 0));
  EXPECT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 5, 6));
  MSG msg;
  std::vector<WPARAM> order;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.hwnd) {
      order.push_back(msg.wParam);
      DispatchMessageW(&msg);
    } else {
      EXPECT_EQ(msg.message, WM_APP);
      EXPECT_EQ(msg.lParam, 6);
    }
  }
  EXPECT_EQ(order, (std::vector<WPARAM>{0, 1, 2}));
  EXPECT_EQ(log.messages.size(), 3u);
  DestroyWindow(hwnd);
}

TEST_F(MessagesTest, PeekFiltersTable) {
  HWND a = MakeWindow(), b = MakeWindow();
  struct Case {
    HWND filter;
    UINT min, max;
    HWND expectWindow;
    UINT expectMessage;
  } cases[] = {
      {b, 0, 0, b, WM_USER + 1},
      {reinterpret_cast<HWND>(-1), 0, 0, nullptr, WM_USER + 2},
      {nullptr, WM_USER + 3, WM_USER + 3, a, WM_USER + 3},
      {nullptr, 0, 0, a, WM_USER},
  };
  for (const Case& c : cases) {
    PostMessageW(a, WM_USER, 0, 0);
    PostMessageW(b, WM_USER + 1, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 2, 0, 0);
    PostMessageW(a, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, c.filter, c.min, c.max, PM_NOREMOVE));
    MSG again;
    ASSERT_TRUE(PeekMessageW(&again, c.filter, c.min, c.max, PM_REMOVE));
    EXPECT_EQ(msg.message, again.message) << "PM_NOREMOVE left it in place";
    EXPECT_EQ(again.hwnd, c.expectWindow);
    EXPECT_EQ(again.message, c.expectMessage);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(MessagesTest, QuitComesAfterPostedMessages) {
  PostQuitMessage(3);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
  MSG msg;
  EXPECT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, WindowCreatedOnAWorkerGetsItsMessagesThere) {
  std::atomic<HWND> hwnd{nullptr};
  std::atomic<DWORD> workerId{0};
  std::thread worker([&] {
    workerId = GetCurrentThreadId();
    hwnd = MakeWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(hwnd);
  });
  while (!hwnd) std::this_thread::yield();
  EXPECT_TRUE(PostMessageW(hwnd, WM_PROBE, 1, 0));
  EXPECT_EQ(SendMessageW(hwnd, WM_PROBE, 21, 0), 42) << "a send across threads waits for the reply";
  PostThreadMessageW(workerId, WM_QUIT, 0, 0);
  PostQuitMessage(0);  // unrelated: our own quit stays ours
  worker.join();
  ASSERT_EQ(log.threads.size(), 2u);
  EXPECT_EQ(log.threads[0], workerId.load());
  EXPECT_EQ(log.threads[1], workerId.load());
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(MessagesTest, SendersHandleMessagesSentToThemWhileWaiting) {
  HWND mine = MakeWindow();
  log.sendBackTo = mine;
  std::atomic<HWND> theirs{nullptr};
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    theirs = MakeWindow();
    while (!stop) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    DestroyWindow(theirs);
  });
  while (!theirs) std::this_thread::yield();
  // The worker's handler sends back to our window while we wait for it.
  EXPECT_EQ(SendMessageW(theirs, WM_SEND_BACK, 0, 0), 1);
  stop = true;
  worker.join();
  EXPECT_EQ(log.messages, (std::vector<UINT>{WM_SEND_BACK, WM_PROBE}));
  DestroyWindow(mine);
}

TEST_F(MessagesTest, SendToAThreadThatEndsGivesZero) {
  std::atomic<HWND> hwnd{nullptr};
  std::atomic<bool> go{false};
  std::thread worker([&] {
    hwnd = MakeWindow();
    while (!go) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // ends without pumping
  });
  while (!hwnd) std::this_thread::yield();
  go = true;
  EXPECT_EQ(SendMessageW(hwnd, WM_PROBE, 1, 0), 0);
  worker.join();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(PostMessageW(hwnd, WM_PROBE, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(MessagesTest, MsgWaitReportsObjectsMessagesAndTimeOuts) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  struct Case {
    bool setEvent;
    UINT postMessage;
    DWORD mask;
    DWORD expected;
  } cases[] = {
      {false, 0, QS_POSTMESSAGE, WAIT_TIMEOUT},
      {true, 0, QS_POSTMESSAGE, WAIT_OBJECT_0},
      {false, WM_USER, QS_POSTMESSAGE, WAIT_OBJECT_0 + 1},
      {false, WM_USER, QS_SENDMESSAGE, WAIT_TIMEOUT},
      {true, WM_USER, QS_ALLINPUT, WAIT_OBJECT_0},
  };
  for (const Case& c : cases) {
    ResetEvent(event);
    if (c.setEvent) SetEvent(event);
    if (c.postMessage) PostThreadMessageW(GetCurrentThreadId(), c.postMessage, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 10, c.mask), c.expected) << "mask " << c.mask;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  CloseHandle(event);
}

TEST_F(MessagesTest, MsgWaitWakesForAMessageSentFromAnotherThread) {
  HWND mine = MakeWindow();
  std::thread sender([&] { EXPECT_EQ(SendMessageW(mine, WM_PROBE, 4, 0), 8); });
  DWORD woke = WAIT_TIMEOUT;
  for (int i = 0; i < 100 && woke != 0; ++i) woke = MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_SENDMESSAGE);
  EXPECT_EQ(woke, WAIT_OBJECT_0);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "the sent message is handled, nothing posted";
  sender.join();
  EXPECT_EQ(log.messages, std::vector<UINT>{WM_PROBE});
  DestroyWindow(mine);
}

TEST_F(MessagesTest, AnExceptionInAHandlerReachesTheDispatcher) {
  HWND hwnd = MakeWindow();
  PostMessageW(hwnd, WM_THROW, 0, 0);
  PostMessageW(hwnd, WM_PROBE, 0, 0);
  MSG msg;
  int contained = 0;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    try {
      DispatchMessageW(&msg);
    } catch (const std::exception&) {
      ++contained;
    }
  }
  EXPECT_EQ(contained, 1);
  EXPECT_EQ(log.messages, std::vector<UINT>{WM_PROBE});
  DestroyWindow(hwnd);
}

TEST_F(MessagesTest, MsgWaitWakesAtOnceForAPostFromAnotherThread) {
  std::atomic<DWORD> id{0};
  std::atomic<bool> woke{false};
  std::thread waiter([&] {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    id = GetCurrentThreadId();
    woke = MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000, QS_POSTMESSAGE) == WAIT_OBJECT_0;
  });
  while (!id) std::this_thread::yield();
  auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(PostThreadMessageW(id, WM_USER, 0, 0));
  waiter.join();
  EXPECT_TRUE(woke);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(ThreadMessages, PostingToAnUnknownThreadFails) {
  EXPECT_FALSE(PostThreadMessageW(0x7FFFFFF0u, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
}

TEST(ThreadMessages, LayerThreadsHaveAQueueFromTheStart) {
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD id = 0;
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID readyEvent) -> DWORD {
        WaitForSingleObject(readyEvent, 5000);
        MSG msg;
        return PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) ? msg.message : 0;
      },
      ready, 0, &id);
  EXPECT_TRUE(PostThreadMessageW(id, WM_USER + 99, 0, 0));
  SetEvent(ready);
  WaitForSingleObject(thread, 5000);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, WM_USER + 99);
  CloseHandle(thread);
  CloseHandle(ready);
}

}  // namespace
