#pragma once
// The face of a push button as the desktop draws it: a flat panel with a
// one-pixel border, its text centred in its font; pressed, focused and
// disabled looks of their own.
#include <string>

#include "win/gdi_objects.h"

namespace quorla {

struct PushButtonLook {
  bool pushed = false;
  bool focused = false;
  bool disabled = false;
  bool isDefault = false;
};

void DrawPushButtonFace(HDC dc, const RECT& client, const std::u16string& text, HFONT font, PushButtonLook look);

}  // namespace quorla
