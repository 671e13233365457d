// Fatal signals reach the filter with the platform's exception codes. Each
// case crashes a forked child whose filter reports through a pipe.
#include <gtest/gtest.h>
#include <fenv.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "win/exceptions.h"
#include "win/message_box.h"
#include "win/threads.h"

namespace {

int g_report = -1;

struct Report {
  DWORD code;
  DWORD parameters;
  ULONG_PTR information[2];
  DWORD64 rip;
  DWORD64 rsp;
  bool onAlternateStack;
};

LONG ReportingFilter(EXCEPTION_POINTERS* pointers) {
  Report report{};
  report.code = pointers->ExceptionRecord->ExceptionCode;
  report.parameters = pointers->ExceptionRecord->NumberParameters;
  report.information[0] = pointers->ExceptionRecord->ExceptionInformation[0];
  report.information[1] = pointers->ExceptionRecord->ExceptionInformation[1];
  report.rip = pointers->ContextRecord->Rip;
  report.rsp = pointers->ContextRecord->Rsp;
  stack_t stack{};
  report.onAlternateStack = sigaltstack(nullptr, &stack) == 0 && (stack.ss_flags & SS_ONSTACK);
  if (reinterpret_cast<ULONG_PTR>(pointers->ExceptionRecord->ExceptionAddress) != report.rip) report.code = 1;
  (void)!::write(g_report, &report, sizeof report);
  return EXCEPTION_EXECUTE_HANDLER;
}

volatile int* volatile g_null = nullptr;
volatile int g_zero = 0;
volatile double g_zeroDouble = 0.0;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winfinite-recursion"
// Frames smaller than a page touch every page on the way down, so the
// overflow meets the stack's guard page instead of jumping over it.
int Recurse(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  return Recurse(depth + 1) + frame[0];
}
#pragma GCC diagnostic pop

// The division is the processor's, out of the compiler's and sanitizers' sight.
void DivideByZero() {
#if defined(__x86_64__)
  int dividend = 7, divisor = g_zero;
  asm volatile("cltd\n\tidivl %1" : "+a"(dividend) : "r"(divisor) : "edx");
  g_zero = dividend;
#else
  g_zero = 7 / g_zero;
#endif
}

void BusError() {
  char path[] = "/tmp/quorla-bus-XXXXXX";
  int fd = ::mkstemp(path);
  ::unlink(path);
  (void)!::ftruncate(fd, 4096);
  auto* page = static_cast<volatile char*>(::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
  (void)!::ftruncate(fd, 0);
  page[0] = 1;
}

struct Outcome {
  int status;
  Report report;
  bool reported;
};

template <typename Crash>
Outcome RunCrashing(Crash crash) {
  int pipeEnds[2];
  EXPECT_EQ(::pipe(pipeEnds), 0);
  pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    g_report = pipeEnds[1];
    SetUnhandledExceptionFilter(ReportingFilter);
    crash();
    ::_exit(99);
  }
  ::close(pipeEnds[1]);
  Outcome outcome{};
  outcome.reported = ::read(pipeEnds[0], &outcome.report, sizeof outcome.report) == sizeof outcome.report;
  ::close(pipeEnds[0]);
  ::waitpid(child, &outcome.status, 0);
  return outcome;
}

TEST(CrashSignals, EachFatalSignalGivesThePlatformsCode) {
  struct Case {
    const char* name;
    void (*crash)();
    DWORD code;
  };
  const Case cases[] = {
      {"null write", [] { *g_null = 1; }, EXCEPTION_ACCESS_VIOLATION},
      {"stack overflow", [] { Recurse(0); }, EXCEPTION_STACK_OVERFLOW},
      {"illegal instruction", [] { __builtin_trap(); }, EXCEPTION_ILLEGAL_INSTRUCTION},
      {"integer division by zero", DivideByZero, EXCEPTION_INT_DIVIDE_BY_ZERO},
      {"floating division by zero",
       [] {
         feenableexcept(FE_DIVBYZERO);
         g_zeroDouble = 1.0 / g_zeroDouble;
       },
       EXCEPTION_FLT_DIVIDE_BY_ZERO},
      {"bus error", BusError, EXCEPTION_IN_PAGE_ERROR},
      {"abort", [] { std::abort(); }, STATUS_FATAL_APP_EXIT},
  };
  for (const Case& c : cases) {
    Outcome outcome = RunCrashing(c.crash);
    ASSERT_TRUE(outcome.reported) << c.name;
    EXPECT_EQ(outcome.report.code, c.code) << c.name << std::hex << " got 0x" << outcome.report.code;
    EXPECT_TRUE(outcome.report.onAlternateStack) << c.name;
    EXPECT_NE(outcome.report.rip, 0u) << c.name;
    ASSERT_TRUE(WIFEXITED(outcome.status)) << c.name;
    EXPECT_EQ(WEXITSTATUS(outcome.status), static_cast<int>(c.code & 0xFF)) << c.name;
  }
}

TEST(CrashSignals, AccessViolationsTellReadFromWriteAndTheAddress) {
  const struct {
    const char* name;
    void (*crash)();
    ULONG_PTR written, address;
  } cases[] = {{"write", [] { *g_null = 1; }, 1, 0},
               {"read", [] { g_zero = *reinterpret_cast<volatile int*>(reinterpret_cast<ULONG_PTR>(g_null) + 16); }, 0, 16}};
  for (const auto& c : cases) {
    Outcome outcome = RunCrashing(c.crash);
    ASSERT_TRUE(outcome.reported) << c.name;
    EXPECT_EQ(outcome.report.parameters, 2u) << c.name;
    EXPECT_EQ(outcome.report.information[0], c.written) << c.name;
    EXPECT_EQ(outcome.report.information[1], c.address) << c.name;
  }
}

TEST(CrashSignals, WorkerThreadsReachTheFilterEvenOnOverflow) {
  for (bool overflow : {false, true}) {
    Outcome outcome = RunCrashing([overflow] {
      HANDLE thread = CreateThread(
          nullptr, 0,
          [](LPVOID overflow) -> DWORD {
            if (overflow) return static_cast<DWORD>(Recurse(0));
            *g_null = 2;
            return 0;
          },
          overflow ? &g_report : nullptr, 0, nullptr);
      ::sleep(30);  // the worker ends the process first
      (void)thread;
    });
    ASSERT_TRUE(outcome.reported);
    EXPECT_EQ(outcome.report.code, overflow ? EXCEPTION_STACK_OVERFLOW : EXCEPTION_ACCESS_VIOLATION)
        << std::hex << "fault at 0x" << outcome.report.information[1] << ", stack pointer 0x" << outcome.report.rsp
        << ", instruction 0x" << outcome.report.rip;
    EXPECT_TRUE(outcome.report.onAlternateStack);
  }
}

LONG OtherFilter(EXCEPTION_POINTERS*) { ::_exit(77); }

TEST(CrashSignals, TheLockKeepsTheFilterInPlace) {
  Outcome outcome = RunCrashing([] {
    EXPECT_EQ(SetUnhandledExceptionFilter(ReportingFilter), ReportingFilter);  // returns the previous one
    EXPECT_TRUE(quorla::LockUnhandledExceptionFilter());
    if (SetUnhandledExceptionFilter(OtherFilter) != nullptr) ::_exit(98);
    if (SetUnhandledExceptionFilter(nullptr) != nullptr) ::_exit(97);
    *g_null = 3;
  });
  ASSERT_TRUE(outcome.reported);
  EXPECT_EQ(WEXITSTATUS(outcome.status), 5);
}

LONG FaultingFilter(EXCEPTION_POINTERS*) {
  *g_null = 4;  // the filter itself fails
  ::_exit(96);
}

LONG ContinueSearch(EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }

TEST(CrashSignals, FilterFailuresAndRefusalsEndTheProcessSoundly) {
  Outcome failing = RunCrashing([] {
    SetUnhandledExceptionFilter(FaultingFilter);
    DivideByZero();
  });
  ASSERT_TRUE(WIFEXITED(failing.status));
  EXPECT_EQ(WEXITSTATUS(failing.status), 0x94);  // the first exception's code
  Outcome refusing = RunCrashing([] {
    SetUnhandledExceptionFilter(ContinueSearch);
    *g_null = 5;
  });
  ASSERT_TRUE(WIFSIGNALED(refusing.status));  // the host's own ending
  EXPECT_EQ(WTERMSIG(refusing.status), SIGSEGV);
}

TEST(MessageBox, WithoutADisplayCaptionAndTextGoToStandardError) {
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeEnds[1], STDERR_FILENO);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::_exit(MessageBoxW(nullptr, u"第一行\n第二行", u"标题", MB_OK) == IDOK ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(text, "标题\n第一行\n第二行\n");
}

}  // namespace
