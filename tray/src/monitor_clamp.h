#pragma once
// Where the tray program's menus open: at the pointer, but never off to the
// side of every screen.
#include "win/types.h"

// x itself when (x, y) lies on a monitor; otherwise x moved into the
// horizontal span of the work area of the nearest monitor (its left edge
// when x is left of it, its right edge when x is right of it). y is the
// caller's to keep. x unchanged when no monitor can be had.
int ClampToMonitorX(int x, int y);
