#pragma once
// Mutexes. A named mutex is seen by the user's other processes: it exists
// while the process that created it keeps a handle to it open, and vanishes
// with that process however it ends. Creating one that exists gives a handle
// to it and ERROR_ALREADY_EXISTS; of several processes that race to create
// the same name exactly one creates it. Names are compared exactly (letter
// case counts).
//
// Ownership (the initial owner, WaitFor* and ReleaseMutex) is counted per
// thread inside the creating process. A handle that another process opened
// or got with ERROR_ALREADY_EXISTS only names the mutex: it cannot be waited
// on (WAIT_FAILED, ERROR_INVALID_HANDLE) or released (ERROR_NOT_OWNER), and it
// does not keep the mutex alive once its creator has closed it. A thread that
// ends while it owns a mutex leaves it owned: there are no abandoned mutexes.
#include "win/types.h"

struct SECURITY_ATTRIBUTES;

constexpr DWORD SYNCHRONIZE = 0x00100000;
constexpr DWORD MUTEX_MODIFY_STATE = 0x0001;
constexpr DWORD MUTEX_ALL_ACCESS = 0x001F0001;

constexpr DWORD ERROR_NOT_OWNER = 288;

// name null or empty: a mutex of this process only. Null on failure: the
// per-user runtime folder is refused (ERROR_ACCESS_DENIED) or the name is too
// long to keep (ERROR_FILENAME_EXCED_RANGE). The last error is
// ERROR_ALREADY_EXISTS when the named mutex existed (initialOwner is then
// ignored), else ERROR_SUCCESS.
WINAPI_EXPORT HANDLE CreateMutexW(SECURITY_ATTRIBUTES* security, BOOL initialOwner, LPCWSTR name);
// Only tests: a handle when the named mutex exists, else null with
// ERROR_FILE_NOT_FOUND. Access and inheritance are not checked.
WINAPI_EXPORT HANDLE OpenMutexW(DWORD access, BOOL inherit, LPCWSTR name);
// The owning thread gives up one level of ownership; FALSE with
// ERROR_NOT_OWNER for any other thread.
WINAPI_EXPORT BOOL ReleaseMutex(HANDLE mutex);
