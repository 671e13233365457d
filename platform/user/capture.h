#pragma once
// The mouse capture, per thread (see win/input.h), and what modal loops of
// the layer need of it.
#include "win/input.h"

namespace quorla {

// A menu or move loop is taking over the mouse: the window that holds the
// capture loses it (WM_CAPTURECHANGED with lParam null, after the change) as
// when the platform's own loops start. Nothing happens when no window of the
// calling thread holds the capture.
WINAPI_EXPORT void CancelCaptureForModalLoop();

// The holder is being destroyed: it loses the capture with
// WM_CAPTURECHANGED while it still exists.
void ForgetCaptureOf(HWND hwnd);

}  // namespace quorla
