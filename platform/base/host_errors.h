#pragma once
// The platform's error code for a host errno value.
#include "win/types.h"

namespace quorla {

DWORD ErrorFromErrno(int e);

}  // namespace quorla
