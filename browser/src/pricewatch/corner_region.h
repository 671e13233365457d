#pragma once
// The price watch's windows are rectangles with three pixels cut from each
// corner (at the top left (0, 0), (1, 0) and (0, 1); the others mirrored),
// a softened edge that the skins' rounded corners sit in.
#include "win/gdi_objects.h"

// A new region for a window of width x height; the caller owns it.
HRGN CreateCornerCutRegion(int width, int height);
