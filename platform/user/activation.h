#pragma once
// Activation and keyboard focus internals.
#include "win/types.h"

namespace quorla {

// Makes a visible top-level window of the calling thread the active one:
// WM_ACTIVATE to the window that stops being active and to the new one (whose
// default handling gives it the focus), and the window comes to the front.
void ActivateWindow(HWND hwnd);
// The window is hidden or going away: it stops being active, and the focus
// leaves it and its children.
void ForgetActivationOf(HWND hwnd);

}  // namespace quorla
