#pragma once
// Unhandled exceptions. On this host the fatal signals (SIGSEGV, SIGBUS,
// SIGILL, SIGFPE, SIGABRT) of any thread are the unhandled exceptions: they
// reach the filter set with SetUnhandledExceptionFilter, on the thread's
// alternate signal stack, with the platform's exception codes and the
// thread's registers in a CONTEXT of this host's (x86-64) layout.
//
// The filter runs inside a signal handler. What it calls must be safe there:
// the layer's CreateFileW, CloseHandle, MessageBoxW and TerminateProcess, and
// the dump writer's MiniDumpWriteDump, take paths that neither allocate nor
// lock while the calling thread handles a crash. Only one crash is handled:
// a fatal signal of another thread meanwhile waits for the process to end. A
// fault inside the filter ends the process at once with the first exception's
// code. A filter that returns EXCEPTION_EXECUTE_HANDLER ends the process with
// the code; any other answer takes the host's default action for the signal.
// A process ends with an exception code as its exit status; the host keeps
// only the code's low 8 bits (0xC0000005 exits with 5).
#include "win/types.h"

constexpr DWORD EXCEPTION_ACCESS_VIOLATION = 0xC0000005u;
constexpr DWORD EXCEPTION_IN_PAGE_ERROR = 0xC0000006u;
constexpr DWORD EXCEPTION_ILLEGAL_INSTRUCTION = 0xC000001Du;
constexpr DWORD EXCEPTION_ARRAY_BOUNDS_EXCEEDED = 0xC000008Cu;
constexpr DWORD EXCEPTION_FLT_DENORMAL_OPERAND = 0xC000008Du;
constexpr DWORD EXCEPTION_FLT_DIVIDE_BY_ZERO = 0xC000008Eu;
constexpr DWORD EXCEPTION_FLT_INEXACT_RESULT = 0xC000008Fu;
constexpr DWORD EXCEPTION_FLT_INVALID_OPERATION = 0xC0000090u;
constexpr DWORD EXCEPTION_FLT_OVERFLOW = 0xC0000091u;
constexpr DWORD EXCEPTION_FLT_UNDERFLOW = 0xC0000093u;
constexpr DWORD EXCEPTION_INT_DIVIDE_BY_ZERO = 0xC0000094u;
constexpr DWORD EXCEPTION_INT_OVERFLOW = 0xC0000095u;
constexpr DWORD EXCEPTION_PRIV_INSTRUCTION = 0xC0000096u;
constexpr DWORD EXCEPTION_STACK_OVERFLOW = 0xC00000FDu;
constexpr DWORD STATUS_FATAL_APP_EXIT = 0x40000015u;

constexpr LONG EXCEPTION_EXECUTE_HANDLER = 1;
constexpr LONG EXCEPTION_CONTINUE_SEARCH = 0;
constexpr LONG EXCEPTION_CONTINUE_EXECUTION = -1;

constexpr DWORD EXCEPTION_NONCONTINUABLE = 0x1;
constexpr DWORD EXCEPTION_MAXIMUM_PARAMETERS = 15;

struct EXCEPTION_RECORD {
  DWORD ExceptionCode;
  DWORD ExceptionFlags;
  EXCEPTION_RECORD* ExceptionRecord;
  PVOID ExceptionAddress;
  DWORD NumberParameters;
  ULONG_PTR ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
};
using PEXCEPTION_RECORD = EXCEPTION_RECORD*;

struct alignas(16) M128A {
  ULONGLONG Low;
  LONGLONG High;
};

// The x86-64 register context; FltSave is the FXSAVE area.
struct alignas(16) CONTEXT {
  DWORD64 P1Home, P2Home, P3Home, P4Home, P5Home, P6Home;
  DWORD ContextFlags;
  DWORD MxCsr;
  WORD SegCs, SegDs, SegEs, SegFs, SegGs, SegSs;
  DWORD EFlags;
  DWORD64 Dr0, Dr1, Dr2, Dr3, Dr6, Dr7;
  DWORD64 Rax, Rcx, Rdx, Rbx, Rsp, Rbp, Rsi, Rdi;
  DWORD64 R8, R9, R10, R11, R12, R13, R14, R15;
  DWORD64 Rip;
  BYTE FltSave[512];
  M128A VectorRegister[26];
  DWORD64 VectorControl;
  DWORD64 DebugControl, LastBranchToRip, LastBranchFromRip, LastExceptionToRip, LastExceptionFromRip;
};
static_assert(sizeof(CONTEXT) == 1232);
using PCONTEXT = CONTEXT*;

constexpr DWORD CONTEXT_AMD64 = 0x00100000;
constexpr DWORD CONTEXT_CONTROL = CONTEXT_AMD64 | 0x1;
constexpr DWORD CONTEXT_INTEGER = CONTEXT_AMD64 | 0x2;
constexpr DWORD CONTEXT_SEGMENTS = CONTEXT_AMD64 | 0x4;
constexpr DWORD CONTEXT_FLOATING_POINT = CONTEXT_AMD64 | 0x8;
constexpr DWORD CONTEXT_FULL = CONTEXT_CONTROL | CONTEXT_INTEGER | CONTEXT_FLOATING_POINT;

struct EXCEPTION_POINTERS {
  PEXCEPTION_RECORD ExceptionRecord;
  PCONTEXT ContextRecord;
};
using PEXCEPTION_POINTERS = EXCEPTION_POINTERS*;

using PTOP_LEVEL_EXCEPTION_FILTER = LONG (*)(EXCEPTION_POINTERS* pointers);
using LPTOP_LEVEL_EXCEPTION_FILTER = PTOP_LEVEL_EXCEPTION_FILTER;

// Sets the process's filter and returns the previous one (null at first). A
// non-null filter installs the signal handlers and gives the calling thread
// an alternate signal stack. After quorla::LockUnhandledExceptionFilter it
// returns null and changes nothing.
WINAPI_EXPORT LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter);

// Fills context with the calling thread's registers at the call.
WINAPI_EXPORT void RtlCaptureContext(PCONTEXT context);

namespace quorla {
// Makes SetUnhandledExceptionFilter inert for the rest of the process, so the
// filter set now stays, whatever any module calls later. Returns true.
WINAPI_EXPORT bool LockUnhandledExceptionFilter();
// Whether the calling thread is handling a crash (running the filter).
WINAPI_EXPORT bool InCrashHandler();
}  // namespace quorla
