#pragma once
// The resources the edit and chooser tests carry (see
// ../fixtures/make_fixtures.py).
#include "win/gdi_objects.h"

namespace edits_test {

constexpr UINT kChooseSkinPng = 9301;  // nine 6 x 25 frames of one colour each
constexpr UINT kRedIconPng = 9302;     // 16 x 14, one colour each
constexpr UINT kGreenIconPng = 9303;
constexpr UINT kPurpleIconPng = 9304;
constexpr UINT kMissingPng = 9399;

constexpr COLORREF kSkin[9] = {RGB(250, 250, 250), RGB(240, 240, 240), RGB(230, 230, 230),
                               RGB(255, 200, 0),   RGB(255, 180, 0),   RGB(255, 160, 0),
                               RGB(0, 120, 255),   RGB(0, 100, 255),   RGB(0, 80, 255)};
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kPurple = RGB(120, 0, 160);

}  // namespace edits_test
