#pragma once
// The browser's settings operations over its one process-wide settings path.
// InitConfigPath runs during the process's start-up, before any other thread
// exists; the other operations may then be called from any thread.
#include "win/types.h"

LPCWSTR InitConfigPath();
// The process-wide settings path (empty before InitConfigPath).
LPCWSTR GetConfigPath();
DWORD ReadCheckTimeLong();
void WriteCheckTimeLong(DWORD minutes);
ULONGLONG ReadLastCheckTime();
void WriteLastCheckTime(ULONGLONG seconds);
void SetRunMode(int mode);
