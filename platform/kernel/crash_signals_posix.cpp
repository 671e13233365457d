// Fatal signals as unhandled exceptions: the handler, the exception codes and
// the register context.
#include <signal.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

#include "crash_state.h"
#include "message_box_helper.h"
#include "win/exceptions.h"
#include "win/threads.h"

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER> g_filter{nullptr};
std::atomic<bool> g_locked{false};
std::mutex g_filterLock;  // orders setting the filter against locking it
std::atomic<long> g_crashingThread{0};

// The one crash's record and context, made before any crash so that the
// handler needs no memory of its own.
EXCEPTION_RECORD g_record;
CONTEXT g_context;
EXCEPTION_POINTERS g_pointers{&g_record, &g_context};
std::atomic<DWORD> g_crashCode{0};

long CurrentThreadId() { return ::syscall(SYS_gettid); }

void FillContext(const ucontext_t* uc, CONTEXT* c) {
  std::memset(c, 0, sizeof *c);
#if defined(__x86_64__)
  const greg_t* g = uc->uc_mcontext.gregs;
  c->ContextFlags = CONTEXT_FULL | CONTEXT_SEGMENTS;
  c->Rax = g[REG_RAX];
  c->Rcx = g[REG_RCX];
  c->Rdx = g[REG_RDX];
  c->Rbx = g[REG_RBX];
  c->Rsp = g[REG_RSP];
  c->Rbp = g[REG_RBP];
  c->Rsi = g[REG_RSI];
  c->Rdi = g[REG_RDI];
  c->R8 = g[REG_R8];
  c->R9 = g[REG_R9];
  c->R10 = g[REG_R10];
  c->R11 = g[REG_R11];
  c->R12 = g[REG_R12];
  c->R13 = g[REG_R13];
  c->R14 = g[REG_R14];
  c->R15 = g[REG_R15];
  c->Rip = g[REG_RIP];
  c->EFlags = static_cast<DWORD>(g[REG_EFL]);
  const auto segments = static_cast<unsigned long long>(g[REG_CSGSFS]);
  c->SegCs = static_cast<WORD>(segments & 0xFFFF);
  c->SegGs = static_cast<WORD>((segments >> 16) & 0xFFFF);
  c->SegFs = static_cast<WORD>((segments >> 32) & 0xFFFF);
  c->SegSs = static_cast<WORD>((segments >> 48) & 0xFFFF);
  if (uc->uc_mcontext.fpregs) {
    static_assert(sizeof(*uc->uc_mcontext.fpregs) == sizeof c->FltSave);
    std::memcpy(c->FltSave, uc->uc_mcontext.fpregs, sizeof c->FltSave);
    c->MxCsr = uc->uc_mcontext.fpregs->mxcsr;
  }
#else
  (void)uc;
#endif
}

ULONG_PTR StackPointerOf(const ucontext_t* uc) {
#if defined(__x86_64__)
  return static_cast<ULONG_PTR>(uc->uc_mcontext.gregs[REG_RSP]);
#else
  (void)uc;
  return 0;
#endif
}

// Read (0), write (1) or execute (8), as access violations report it.
ULONG_PTR AccessKindOf(const ucontext_t* uc) {
#if defined(__x86_64__)
  const auto error = static_cast<unsigned long long>(uc->uc_mcontext.gregs[REG_ERR]);
  if (error & 0x10) return 8;
  return (error & 0x2) ? 1 : 0;
#else
  (void)uc;
  return 0;
#endif
}

void DescribeSignal(int sig, const siginfo_t* info, const ucontext_t* uc, EXCEPTION_RECORD* record) {
  const auto address = reinterpret_cast<ULONG_PTR>(info->si_addr);
  switch (sig) {
    case SIGSEGV: {
      // A fault near the stack pointer is the stack running into its guard:
      // the memory there is the thread's stack, mapped unless it ran out.
      // (A frame that holds several inlined frames may fault above the pointer.)
      const ULONG_PTR sp = StackPointerOf(uc);
      constexpr ULONG_PTR kNear = 65536;
      const bool overflow = sp != 0 && address + kNear >= sp && address < sp + kNear;
      record->ExceptionCode = overflow ? EXCEPTION_STACK_OVERFLOW : EXCEPTION_ACCESS_VIOLATION;
      record->NumberParameters = 2;
      record->ExceptionInformation[0] = AccessKindOf(uc);
      record->ExceptionInformation[1] = address;
      break;
    }
    case SIGBUS:
      record->ExceptionCode = EXCEPTION_IN_PAGE_ERROR;
      record->NumberParameters = 3;
      record->ExceptionInformation[0] = AccessKindOf(uc);
      record->ExceptionInformation[1] = address;
      record->ExceptionInformation[2] = 0xC000009Cu;  // the device's data could not be read
      break;
    case SIGILL:
      record->ExceptionCode = info->si_code == ILL_PRVOPC ? EXCEPTION_PRIV_INSTRUCTION : EXCEPTION_ILLEGAL_INSTRUCTION;
      break;
    case SIGFPE:
      switch (info->si_code) {
        case FPE_INTDIV:
          record->ExceptionCode = EXCEPTION_INT_DIVIDE_BY_ZERO;
          break;
        case FPE_INTOVF:
          record->ExceptionCode = EXCEPTION_INT_OVERFLOW;
          break;
        case FPE_FLTDIV:
          record->ExceptionCode = EXCEPTION_FLT_DIVIDE_BY_ZERO;
          break;
        case FPE_FLTOVF:
          record->ExceptionCode = EXCEPTION_FLT_OVERFLOW;
          break;
        case FPE_FLTUND:
          record->ExceptionCode = EXCEPTION_FLT_UNDERFLOW;
          break;
        case FPE_FLTRES:
          record->ExceptionCode = EXCEPTION_FLT_INEXACT_RESULT;
          break;
        case FPE_FLTSUB:
          record->ExceptionCode = EXCEPTION_ARRAY_BOUNDS_EXCEEDED;
          break;
        default:
          record->ExceptionCode = EXCEPTION_FLT_INVALID_OPERATION;
      }
      break;
    default:  // SIGABRT
      record->ExceptionCode = STATUS_FATAL_APP_EXIT;
      record->ExceptionFlags = EXCEPTION_NONCONTINUABLE;
  }
}

// The host's own ending for the signal (a core dump or termination).
void TakeDefaultAction(int sig) {
  struct sigaction action{};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(sig, &action, nullptr);
  ::raise(sig);  // a fault that returns here faults again and now ends the process
}

void OnFatalSignal(int sig, siginfo_t* info, void* context) {
  bool nested = false;
  if (!quorla::EnterCrashHandler(CurrentThreadId(), &nested)) {
    for (;;) ::pause();  // another thread handles a crash and ends the process
  }
  if (nested) ::_exit(static_cast<int>(g_crashCode.load() & 0xFF));  // the filter itself failed
  LPTOP_LEVEL_EXCEPTION_FILTER filter = g_filter.load();
  if (!filter) {
    TakeDefaultAction(sig);
    return;
  }
  const auto* uc = static_cast<const ucontext_t*>(context);
  std::memset(&g_record, 0, sizeof g_record);
  DescribeSignal(sig, info, uc, &g_record);
  FillContext(uc, &g_context);
  g_record.ExceptionAddress = reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(g_context.Rip));
  g_crashCode.store(g_record.ExceptionCode);
  const LONG answer = filter(&g_pointers);
  if (answer == EXCEPTION_EXECUTE_HANDLER) ::_exit(static_cast<int>(g_record.ExceptionCode & 0xFF));
  TakeDefaultAction(sig);
}

void InstallHandlersOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action{};
    action.sa_sigaction = OnFatalSignal;
    // SA_NODEFER: a fault inside the filter comes back here and ends the process.
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int sig : kFatalSignals) ::sigaction(sig, &action, nullptr);
  });
}

}  // namespace

namespace quorla {

bool EnterCrashHandler(long threadId, bool* nested) {
  long expected = 0;
  *nested = false;
  if (g_crashingThread.compare_exchange_strong(expected, threadId)) return true;
  *nested = expected == threadId;
  return *nested;
}

bool InCrashHandler() {
  const long crashing = g_crashingThread.load(std::memory_order_acquire);
  return crashing != 0 && crashing == CurrentThreadId();
}

bool LockUnhandledExceptionFilter() {
  std::lock_guard<std::mutex> guard(g_filterLock);
  g_locked.store(true);
  return true;
}

}  // namespace quorla

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
  std::lock_guard<std::mutex> guard(g_filterLock);
  if (g_locked.load()) return nullptr;
  if (filter) {
    quorla::EnsureAlternateSignalStack();
    quorla::PrepareMessageBox();
    InstallHandlersOnce();
  }
  return g_filter.exchange(filter);
}

void RtlCaptureContext(PCONTEXT context) {
  if (!context) return;
  ucontext_t uc;
  ::getcontext(&uc);
  FillContext(&uc, context);
}
