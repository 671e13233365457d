#pragma once
// The host's open(2) flags for a file's access and creation disposition.
// A pure computation, so that the crash filter's file opening can use it too.
#include "win/types.h"

namespace quorla {

// False for a creation disposition the platform does not know.
bool OpenFlagsFor(DWORD access, DWORD creation, int* flags);

}  // namespace quorla
