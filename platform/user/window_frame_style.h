#pragma once
// A window's style set after creation (SetWindowLongW with GWL_STYLE): the
// frame on screen follows at once.
#include "win/types.h"

namespace quorla {

// Stores the style; returns the previous one (0 for a window that is gone).
DWORD ChangeWindowStyle(HWND hwnd, DWORD style);

}  // namespace quorla
