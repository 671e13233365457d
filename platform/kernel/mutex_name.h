#pragma once
// The lock file that stands for a mutex name in the runtime folder.
#include <string>

#include "win/types.h"

namespace quorla {

// "mutex-" followed by the name in UTF-8, every ASCII character other than a
// letter, digit, '-' or '_' written as %XX, so that no name can reach outside
// the folder or alias another name. Empty when the name holds half of
// a surrogate pair (ERROR_INVALID_NAME) or when the result would be longer
// than a file name may be (ERROR_FILENAME_EXCED_RANGE); *error tells which.
std::string MutexFileName(LPCWSTR name, DWORD* error);

}  // namespace quorla
