#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "win/events.h"
#include "win/handles.h"
#include "win/last_error.h"
#include "win/waits.h"

namespace {

struct Event {
  explicit Event(BOOL manual, BOOL initial = FALSE) : handle(CreateEventW(nullptr, manual, initial, nullptr)) {}
  ~Event() { CloseHandle(handle); }
  HANDLE handle;
};

TEST(Events, ManualAndAutomaticResetOnASatisfiedWait) {
  struct Case {
    BOOL manual;
    DWORD secondWait;
  } cases[] = {{TRUE, WAIT_OBJECT_0}, {FALSE, WAIT_TIMEOUT}};
  for (const Case& c : cases) {
    Event event(c.manual);
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(SetEvent(event.handle));
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), c.secondWait) << "manual " << c.manual;
    ASSERT_TRUE(ResetEvent(event.handle));
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), WAIT_TIMEOUT);
  }
}

TEST(Events, InitialStateAndBadHandles) {
  Event on(TRUE, TRUE);
  EXPECT_EQ(WaitForSingleObject(on.handle, 0), WAIT_OBJECT_0);
  HANDLE bogus = reinterpret_cast<HANDLE>(0x7777770);
  EXPECT_FALSE(SetEvent(bogus));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(WaitForSingleObject(bogus, 0), WAIT_FAILED);
  EXPECT_EQ(CreateEventW(nullptr, TRUE, FALSE, u"named"), nullptr);
}

TEST(Events, AutomaticResetReleasesExactlyOneWaiterPerSet) {
  Event event(FALSE);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 4; ++i)
    waiters.emplace_back([&] {
      if (WaitForSingleObject(event.handle, 1000) == WAIT_OBJECT_0) ++released;
    });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  SetEvent(event.handle);
  while (released.load() < 1) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(released.load(), 1);
  SetEvent(event.handle);
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released.load(), 2);
}

TEST(Waits, TimeOutsTable) {
  Event event(TRUE);
  for (DWORD ms : {0u, 1u, 30u}) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(event.handle, ms), WAIT_TIMEOUT);
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(ms));
  }
}

TEST(Waits, WaitAnyGivesTheLowestSignalledIndexAndTakesOnlyIt) {
  Event a(FALSE), b(FALSE), c(FALSE);
  HANDLE handles[] = {a.handle, b.handle, c.handle};
  SetEvent(c.handle);
  SetEvent(b.handle);
  EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 2);
  EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_TIMEOUT);
}

TEST(Waits, WaitAllTakesEveryObjectAtOnceOrNone) {
  Event a(FALSE), b(FALSE);
  HANDLE handles[] = {a.handle, b.handle};
  SetEvent(a.handle);
  EXPECT_EQ(WaitForMultipleObjects(2, handles, TRUE, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(a.handle, 0), WAIT_OBJECT_0) << "a failed wait-all must not take a";
  SetEvent(a.handle);
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(b.handle);
  });
  EXPECT_EQ(WaitForMultipleObjects(2, handles, TRUE, 2000), WAIT_OBJECT_0);
  setter.join();
  EXPECT_EQ(WaitForMultipleObjects(2, handles, FALSE, 0), WAIT_TIMEOUT);
}

TEST(Waits, BadArgumentsFail) {
  Event a(TRUE);
  HANDLE twice[] = {a.handle, a.handle};
  struct Case {
    DWORD count;
    const HANDLE* handles;
    BOOL all;
  } cases[] = {{0, twice, FALSE}, {1, nullptr, FALSE}, {2, twice, TRUE}};
  for (const Case& c : cases) {
    EXPECT_EQ(WaitForMultipleObjects(c.count, c.handles, c.all, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  SetEvent(a.handle);
  EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), WAIT_OBJECT_0) << "wait-any may name an object twice";
}

TEST(Waits, MoreHandlesThanThePlatformLimit) {
  constexpr int kCount = 300;
  std::vector<HANDLE> handles;
  for (int i = 0; i < kCount; ++i) handles.push_back(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(handles[270]);
  });
  EXPECT_EQ(WaitForMultipleObjects(kCount, handles.data(), FALSE, 5000), WAIT_OBJECT_0 + 270);
  setter.join();
  // Index 258 has the value of WAIT_TIMEOUT: the last error tells them apart.
  SetEvent(handles[258]);
  ResetEvent(handles[270]);
  EXPECT_EQ(WaitForMultipleObjects(kCount, handles.data(), FALSE, 0), WAIT_OBJECT_0 + 258);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  ResetEvent(handles[258]);
  EXPECT_EQ(WaitForMultipleObjects(kCount, handles.data(), FALSE, 0), WAIT_TIMEOUT);
  EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
  for (int i = 0; i < kCount; ++i) SetEvent(handles[i]);
  EXPECT_EQ(WaitForMultipleObjects(kCount, handles.data(), TRUE, 0), WAIT_OBJECT_0);
  for (HANDLE h : handles) CloseHandle(h);
}

TEST(Waits, ClosingAHandleWhileAnotherThreadWaitsKeepsTheObjectAlive) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  // Usually the waiter is inside its wait when the handle goes (then it times
  // out normally); on a busy machine the close may come first (then the
  // handle is refused). Either way nothing is used after it was freed.
  std::thread waiter([&] {
    DWORD result = WaitForSingleObject(event, 200);
    EXPECT_TRUE(result == WAIT_TIMEOUT || (result == WAIT_FAILED && GetLastError() == ERROR_INVALID_HANDLE));
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(CloseHandle(event));
  waiter.join();
}

}  // namespace
