#pragma once
// Waiting on kernel objects (events, threads). Any number of handles may be
// waited on at once; the platform's limit of 64 does not apply here.
#include "win/types.h"

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED_0 = 0x80;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

// WAIT_OBJECT_0 when the object is signalled, WAIT_TIMEOUT after milliseconds,
// WAIT_FAILED (ERROR_INVALID_HANDLE) for a handle that cannot be waited on.
// A zero time-out only tests. Satisfying the wait resets an automatic-reset
// event.
WINAPI_EXPORT DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Wait-any gives WAIT_OBJECT_0 + the lowest index that is signalled; wait-all
// waits until every object is signalled at the same moment and then takes them
// all at once. Zero handles, a null array, or the same object twice in a
// wait-all fail with ERROR_INVALID_PARAMETER.
//
// With more than 128 handles an object index can take the value of
// WAIT_TIMEOUT or WAIT_FAILED; the layer therefore also sets the last error:
// ERROR_SUCCESS for an object, ERROR_TIMEOUT for a time-out, so a caller with
// a long list tells them apart with GetLastError.
WINAPI_EXPORT DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);
