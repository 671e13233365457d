#pragma once
// Reads what a window shows, for tests that check drawing by its pixels.
#include "win/gdi_objects.h"

namespace quorla_test {

// A client pixel of a window, copied through a window DC into a memory DC;
// magenta when nothing could be copied.
COLORREF PixelOf(HWND hwnd, int x, int y);

}  // namespace quorla_test
