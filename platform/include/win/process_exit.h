#pragma once
// Ending the process at once: no static destructor or exit handler runs, as
// when the platform terminates a process. The exit status is the code's low
// 8 bits (the host keeps no more). Safe inside the crash filter.
#include "win/types.h"

// Only the current process (GetCurrentProcess()) can be ended; any other
// handle fails with ERROR_ACCESS_DENIED.
WINAPI_EXPORT BOOL TerminateProcess(HANDLE process, UINT exitCode);
