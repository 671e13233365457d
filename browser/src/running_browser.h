#pragma once
// Handing a start request to a browser that already runs.
#include "win/types.h"

// Posts message (with wParam, lParam 0), without waiting, to the main window
// of a running browser: a top-level window of the main window's class, any
// title, in any of the user's processes. False when there is none, or it
// went away before it took the message: this process then opens its own
// window.
bool PostToRunningBrowser(UINT message, WPARAM wParam);
