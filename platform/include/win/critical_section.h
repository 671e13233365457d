#pragma once
// Critical sections: process-local locks, re-entrant for the owning thread.
// The storage is the caller's, as on the platform; Initialize before use and
// Delete when done.
#include "win/types.h"

struct CRITICAL_SECTION {
  alignas(16) unsigned char opaque[64];
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

WINAPI_EXPORT void InitializeCriticalSection(LPCRITICAL_SECTION cs);
WINAPI_EXPORT void DeleteCriticalSection(LPCRITICAL_SECTION cs);
WINAPI_EXPORT void EnterCriticalSection(LPCRITICAL_SECTION cs);
WINAPI_EXPORT BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs);
WINAPI_EXPORT void LeaveCriticalSection(LPCRITICAL_SECTION cs);
