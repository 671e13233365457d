#pragma once
// The default window procedure's handling of the frame: hit-testing,
// non-client mouse messages, Alt+F4 and the window's icons.
//
// WM_NCHITTEST: HTCLIENT inside the window (its client area is all of it),
// HTNOWHERE outside. WM_NCLBUTTONDOWN on HTCAPTION sends WM_SYSCOMMAND
// SC_MOVE | HTCAPTION with the same lParam (nothing while maximised), also
// when it was posted, and for a child window, which then moves inside its
// parent. WM_NCLBUTTONDBLCLK on HTCAPTION sends SC_RESTORE to a maximised
// window, SC_MAXIMIZE to a top-level window with WS_MAXIMIZEBOX.
// WM_NCRBUTTONUP on HTCAPTION shows the window menu at the pointer.
// WM_SYSKEYDOWN with F4 and Alt sends SC_CLOSE to the top-level window.
// WM_SETICON keeps the icon of its kind and returns the previous one;
// WM_GETICON returns it.
#include "win/types.h"

namespace quorla {

bool HandleFrameByDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The cursor the default WM_SETCURSOR shows over a part of a window: the
// class cursor (else the arrow) over the client area, the sizing cursors
// over the edges and corners, the arrow anywhere else.
HCURSOR DefaultCursorFor(int hitCode, HCURSOR classCursor);

}  // namespace quorla
