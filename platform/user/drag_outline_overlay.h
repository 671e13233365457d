#pragma once
// What inverting the screen leaves behind. The layer does not draw on the
// desktop; the areas that PatBlt inverts through the screen's DC (the drag
// outlines of windows that size themselves) are kept as one region, which
// one unmanaged, topmost window that never takes input shows in a half-tone
// pattern. Inverting the same area twice takes it away again, and the
// window hides once the region is empty.
//
// Any thread may invert; the window follows on the thread that runs Qt.
#include <QRegion>

#include "win/types.h"

namespace quorla {

// Inverts a screen area (screen coordinates).
void InvertScreenArea(const QRegion& area);
// The inverted area the overlay shows now.
WINAPI_EXPORT QRegion InvertedScreenArea();

}  // namespace quorla
