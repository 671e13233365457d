#pragma once
// Threads of the process. Threads made by CreateThread run on the host's
// threads, carry an alternate signal stack (so a stack overflow still reaches
// the crash filter) and get their message queue at once. The handle is
// signalled when the thread has ended; close it with CloseHandle (the thread
// goes on running).
#include "win/types.h"

struct SECURITY_ATTRIBUTES;

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

constexpr DWORD CREATE_SUSPENDED = 0x4;
constexpr DWORD STILL_ACTIVE = 259;

// stackSize 0 takes the host's default. threadId may be null. Null on failure.
WINAPI_EXPORT HANDLE CreateThread(SECURITY_ATTRIBUTES* security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                                  LPVOID parameter, DWORD flags, DWORD* threadId);
// Returns the previous suspend count, or (DWORD)-1 for a bad handle.
WINAPI_EXPORT DWORD ResumeThread(HANDLE thread);
// STILL_ACTIVE while the thread runs, then the start routine's result.
WINAPI_EXPORT BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
WINAPI_EXPORT DWORD GetThreadId(HANDLE thread);

// The host's thread id (unique among live threads of the system).
WINAPI_EXPORT DWORD GetCurrentThreadId();
WINAPI_EXPORT DWORD GetCurrentProcessId();
// Pseudo handles that mean "the calling thread/process"; never closed.
WINAPI_EXPORT HANDLE GetCurrentThread();
WINAPI_EXPORT HANDLE GetCurrentProcess();

namespace quorla {
// Gives the calling thread an alternate signal stack unless it has one
// already. For threads the layer did not create (the main thread, threads of
// libraries); CreateThread's threads have one from the start. The stack lives
// until the thread ends.
WINAPI_EXPORT bool EnsureAlternateSignalStack();
}  // namespace quorla
