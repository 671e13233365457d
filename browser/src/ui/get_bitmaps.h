#pragma once
// CGetBitmaps: a bitmap button whose four faces come from one strip.
#include "afx/bitmap_button.h"

class CGetBitmaps : public CBitmapButton {
 public:
  // Cuts bitmap resource `id`, w wide and h high, into four pieces of
  // (w / 4) x h, from the left: normal, selected, focused, disabled. They
  // replace the button's four faces (any bitmap button's). Columns past
  // 4 x (w / 4) are dropped. 1 on success; 0 when the resource is missing or
  // a piece cannot be made, leaving the faces not yet made empty.
  static BOOL LoadStrip(CBitmapButton* button, UINT id);
};
