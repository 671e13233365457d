#pragma once
// What the screen's inverted areas (drag outlines) hold now, for tests of
// windows outside the layer, which cannot reach the toolkit themselves.
#include "win/geometry.h"
#include "win/types.h"

namespace quorla_test {

// The bounding box of the inverted area in screen coordinates; empty (all
// zero) when nothing is inverted.
RECT InvertedScreenBounds();
// Whether the screen point lies in the inverted area.
bool IsScreenPointInverted(POINT screen);

}  // namespace quorla_test
