#pragma once
// TTF_SUBCLASS: a tooltip wraps the procedure of a tool's window, so that
// the window's mouse messages reach the tooltip without the program relaying
// them. The wrapper hands each mouse message to the tooltips watching the
// window, then to the procedure it replaced; it steps aside when the last
// tooltip stops watching (if nothing wrapped the window after it) and when
// the window is destroyed. The window's thread only.
#include "win/types.h"

namespace quorla {

void WatchToolWindow(HWND window, HWND tooltip);
void UnwatchToolWindow(HWND window, HWND tooltip);
void UnwatchEverythingOf(HWND tooltip);

}  // namespace quorla
