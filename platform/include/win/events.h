#pragma once
// Events: manual-reset events stay signalled until reset; automatic-reset
// events release one waiter and reset themselves. Close with CloseHandle.
#include "win/types.h"

struct SECURITY_ATTRIBUTES;

// name must be null: events are process-local here. Null on failure.
WINAPI_EXPORT HANDLE CreateEventW(SECURITY_ATTRIBUTES* security, BOOL manualReset, BOOL initialState, LPCWSTR name);
WINAPI_EXPORT BOOL SetEvent(HANDLE event);
WINAPI_EXPORT BOOL ResetEvent(HANDLE event);
