#pragma once
// Moving a window with the mouse: the default handling of WM_SYSCOMMAND
// SC_MOVE.
#include "win/types.h"

namespace quorla {

// Takes the capture and moves the window by the pointer's travel (a child
// in its parent's client area, never out of it) until the
// left button is released (that release is taken from the queue, also when
// it was queued before the loop started), the capture goes elsewhere, Esc
// puts the window back, or WM_QUIT comes (posted again). Returns at once
// when the button is already up. Runs the layer's message loop, so timers,
// posted and sent messages go on; the window moves through SetWindowPos,
// so WM_MOVE arrives before each step returns.
void RunMoveLoop(HWND hwnd);

}  // namespace quorla
