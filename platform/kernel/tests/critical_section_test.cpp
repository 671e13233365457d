#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "win/critical_section.h"
#include "win/interlocked.h"

namespace {

TEST(CriticalSection, ReentrantForTheOwnerAndExclusiveForOthers) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  // Whether another thread gets in (and out again) at once.
  const auto otherGetsIn = [&] {
    bool in = false;
    std::thread([&] {
      in = TryEnterCriticalSection(&cs);
      if (in) LeaveCriticalSection(&cs);
    }).join();
    return in;
  };
  EnterCriticalSection(&cs);
  EnterCriticalSection(&cs);  // the owner enters again
  EXPECT_FALSE(otherGetsIn());
  LeaveCriticalSection(&cs);
  EXPECT_FALSE(otherGetsIn()) << "entered twice, left once";
  LeaveCriticalSection(&cs);
  EXPECT_TRUE(otherGetsIn());
  DeleteCriticalSection(&cs);
}

TEST(CriticalSection, SerialisesUpdates) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  long long plain = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        EnterCriticalSection(&cs);
        ++plain;
        LeaveCriticalSection(&cs);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(plain, 80000);
  DeleteCriticalSection(&cs);
}

TEST(Interlocked, ReturnsTheNewValueAndStaysConsistent) {
  LONG value = 0;
  EXPECT_EQ(InterlockedIncrement(&value), 1);
  EXPECT_EQ(InterlockedDecrement(&value), 0);
  EXPECT_EQ(InterlockedDecrement(&value), -1);
  EXPECT_EQ(InterlockedExchange(&value, 5), -1);
  EXPECT_EQ(InterlockedCompareExchange(&value, 9, 4), 5);  // no match, unchanged
  EXPECT_EQ(InterlockedCompareExchange(&value, 9, 5), 5);
  EXPECT_EQ(value, 9);

  LONG counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        InterlockedIncrement(&counter);
        InterlockedDecrement(&counter);
        InterlockedIncrement(&counter);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 160000);
}

}  // namespace
