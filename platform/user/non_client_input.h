#pragma once
// The non-client side of mouse input: which part of a window the pointer is
// over (WM_NCHITTEST), and the WM_NC* messages that stand for the client
// mouse messages outside the client part.
#include <QPoint>

#include "win/types.h"

namespace quorla {

// Sends WM_NCHITTEST to the window with the screen point; its answer.
int AskHitTest(HWND hwnd, QPoint screen);

bool IsNonClientMouseMessage(UINT message);
// WM_MOUSEMOVE -> WM_NCMOUSEMOVE, WM_LBUTTONDOWN -> WM_NCLBUTTONDOWN ... for
// the move and the three buttons' down, up and double click.
UINT NonClientMessageOf(UINT clientMessage);
// And back; other messages stay as they are.
UINT ClientMessageOf(UINT message);

}  // namespace quorla
