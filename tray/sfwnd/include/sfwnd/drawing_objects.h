#pragma once
// The toolkit's process-wide drawing objects: the bitmap DC that a CFSBitmap
// selects its bitmap into while it draws, and the canvas, a memory DC with a
// 1024 x 256 screen-compatible bitmap on which one control at a time is
// composed off-screen. Made during static initialisation (or on first use,
// whichever comes first) and destroyed at ordinary exit. Not guarded: the
// user-interface thread alone draws with them.
#include "win/dc.h"

constexpr int SF_CANVAS_WIDTH = 1024;
constexpr int SF_CANVAS_HEIGHT = 256;

// Null when the platform could not make it.
HDC GetSkinBitmapDC();
HDC GetCanvasDC();
