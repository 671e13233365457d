#include <unistd.h>

#include "win/last_error.h"
#include "win/process_exit.h"
#include "win/threads.h"

BOOL TerminateProcess(HANDLE process, UINT exitCode) {
  if (process != GetCurrentProcess()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  ::_exit(static_cast<int>(exitCode & 0xFF));
}
