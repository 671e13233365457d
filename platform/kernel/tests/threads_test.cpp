#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "win/handles.h"
#include "win/last_error.h"
#include "win/threads.h"
#include "win/waits.h"

namespace {

struct Probe {
  std::atomic<bool> ran{false};
  DWORD seenId = 0;
  bool hadSignalStack = false;
  size_t guard = 0;
};

DWORD ProbeThread(LPVOID parameter) {
  auto* probe = static_cast<Probe*>(parameter);
  probe->seenId = GetCurrentThreadId();
  stack_t stack{};
  probe->hadSignalStack = sigaltstack(nullptr, &stack) == 0 && !(stack.ss_flags & SS_DISABLE) && stack.ss_size > 0;
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    pthread_attr_getguardsize(&attributes, &probe->guard);
    pthread_attr_destroy(&attributes);
  }
  probe->ran = true;
  return 42;
}

TEST(Threads, RunWaitAndExitCode) {
  Probe probe;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, ProbeThread, &probe, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(probe.ran);
  EXPECT_EQ(probe.seenId, id);
  EXPECT_EQ(GetThreadId(thread), id);
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_TRUE(probe.hadSignalStack);
  EXPECT_GE(probe.guard, 64u * 1024) << "a deep frame cannot step over the guard";
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST(Threads, CreatedSuspendedRunsOnlyAfterResume) {
  Probe probe;
  HANDLE thread = CreateThread(nullptr, 64 * 1024, ProbeThread, &probe, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 50), WAIT_TIMEOUT);
  EXPECT_FALSE(probe.ran);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(probe.ran);
  EXPECT_EQ(ResumeThread(thread), 0u);
  CloseHandle(thread);
}

TEST(Threads, ClosingTheHandleLeavesTheThreadRunning) {
  static std::atomic<bool> finished{false};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID) -> DWORD {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        finished = true;
        return 0;
      },
      nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
  for (int i = 0; i < 500 && !finished; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(finished);
}

TEST(Threads, IdentitiesAndBadArguments) {
  DWORD other = 0;
  std::thread([&] { other = GetCurrentThreadId(); }).join();
  EXPECT_NE(other, GetCurrentThreadId());
  EXPECT_NE(GetCurrentProcessId(), 0u);
  EXPECT_EQ(GetCurrentThread(), reinterpret_cast<HANDLE>(-2));
  EXPECT_EQ(GetCurrentProcess(), reinterpret_cast<HANDLE>(-1));
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  DWORD code;
  EXPECT_FALSE(GetExitCodeThread(reinterpret_cast<HANDLE>(0x5550), &code));
  EXPECT_EQ(ResumeThread(reinterpret_cast<HANDLE>(0x5550)), static_cast<DWORD>(-1));
}

TEST(Threads, ForeignThreadsCanAskForASignalStack) {
  bool installed = false, present = false;
  std::thread([&] {
    installed = quorla::EnsureAlternateSignalStack();
    stack_t stack{};
    present = sigaltstack(nullptr, &stack) == 0 && !(stack.ss_flags & SS_DISABLE);
  }).join();
  EXPECT_TRUE(installed);
  EXPECT_TRUE(present);
}

}  // namespace
