#pragma once
// What DestroyWindow does for a window on screen.
#include "window_table.h"

namespace quorla {

// Before WM_DESTROY: the window leaves the screen without messages of its
// own, stops being active, and its parent repaints where it was.
void TakeOffScreen(HWND hwnd);
// After the window is gone from the table: its widget and its region go.
void ReleaseScreenResources(WindowRecord& record);

}  // namespace quorla
