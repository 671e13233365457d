#pragma once
// The command line of the process, as one text.
#include "win/types.h"

// For a program started by ShellExecuteW: exactly `"<program path>"`
// followed by one blank and the parameters as they were given (nothing after
// the closing quote when there were none). For a program started any other
// way (from a shell): its argv[0] in double quotes, then its other arguments,
// each after one blank. The text lives as long as the process.
WINAPI_EXPORT LPWSTR GetCommandLineW();
