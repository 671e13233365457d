#pragma once
// The face of a radio button as the desktop draws it: a round mark at the
// left, vertically centred, filled while checked, and the text beside it in
// the button's font; grey when disabled.
#include <string>

#include "win/gdi_objects.h"

namespace quorla {

struct RadioButtonLook {
  bool checked = false;
  bool disabled = false;
  bool pushed = false;
};

// background null: the dialog face.
void DrawRadioButtonFace(HDC dc, const RECT& client, const std::u16string& text, HFONT font, HBRUSH background,
                         RadioButtonLook look);

}  // namespace quorla
