#pragma once
// The sizes a window may take: WM_GETMINMAXINFO with the layer's defaults,
// for maximising and for an overlapped window's first rectangle.
#include "win/window_state.h"

namespace quorla {

// The defaults (win/window_state.h), then what the window procedure made
// of them.
MINMAXINFO AskMinMaxInfo(HWND hwnd);

// Where the window goes when it is maximised, in screen coordinates: the
// maximised position and size, the size held within the tracking sizes.
RECT MaximizedRect(HWND hwnd);

// An overlapped window's first rectangle: a CW_USEDEFAULT width is three
// quarters of the work area, a CW_USEDEFAULT x the place that centres the
// window in the work area (never above or left of it); the size is held
// within the tracking sizes, the minimum winning.
RECT OverlappedCreationRect(HWND hwnd, int x, int y, int width, int height);

}  // namespace quorla
