#pragma once
// Pointer input for tests of windows outside the layer, which cannot reach
// the toolkit themselves: each call hands one event to the toolkit window of
// a top-level window (the given window's own, or its top-level ancestor's),
// at a screen point, as the windowing system would report it, so capture,
// mouse-leave tracking, double clicks and WM_SETCURSOR follow their real
// course. Then it dispatches every message the event caused. Call from the
// thread that owns the windows (the one that runs the toolkit).
#include "win/geometry.h"
#include "win/messages.h"
#include "win/types.h"

namespace quorla_test {

// A move, with the left button held or not.
void PointerMove(HWND window, POINT screen, bool leftHeld = false);
// The left button going down and up; a second press soon after the first,
// within two pixels, makes a double click for a class with CS_DBLCLKS.
void PointerPress(HWND window, POINT screen);
void PointerRelease(HWND window, POINT screen);
// The pointer leaving the top-level window for no window of the program.
void PointerLeaves(HWND window);
// A screen point given in a window's client coordinates.
POINT ScreenPoint(HWND window, int x, int y);

// Dispatches until no message is left (WM_PAINT included). Each message
// is first offered to the filter, when one is set; a filter that answers
// TRUE takes the message (a framework's pre-translation step).
using MessageFilter = BOOL (*)(MSG* msg);
void SetMessageFilter(MessageFilter filter);
void DispatchPending();

}  // namespace quorla_test
