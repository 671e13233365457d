#pragma once
// The resources the control tests carry beside the program's own (see
// ../fixtures/make_fixtures.py).
#include "win/gdi_objects.h"

namespace ui_test {

constexpr UINT kPremultiplyPng = 9001;  // 5 x 1, straight alpha
constexpr UINT kOpaquePng = 9002;       // 3 x 2, no alpha channel
constexpr UINT kFramesPng = 9003;       // 10 x 5
constexpr UINT kNotAPicture = 9004;
constexpr UINT kEmptyPng = 9005;
constexpr UINT kStripBitmap = 9101;     // 23 x 4: four pieces of 5 and 3 columns over
constexpr UINT kToolSkinPng = 9201;     // nine 4 x 24 frames of one colour each
constexpr UINT kToolIconsPng = 9202;    // two 16 x 16 icons
constexpr UINT kToolBackgroundPng = 9203;  // 8 x 32
constexpr UINT kMissing = 9999;

// The colour of column x of the strip bitmap (row y).
inline COLORREF StripColour(int x, int y) {
  return x >= 20 ? RGB(255, 0, 255) : RGB(10 * x, 255 - 10 * x, 100 + y);
}

}  // namespace ui_test
