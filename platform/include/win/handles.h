#pragma once
// Closing kernel-object handles (files, events, threads, mutexes ...).
#include "win/types.h"

WINAPI_EXPORT BOOL CloseHandle(HANDLE handle);
