#pragma once
// CBitmapButton: an owner-drawn button whose face is one of four bitmaps of
// one size: m_bitmap (normal), m_bitmapSel (pressed), m_bitmapFocus
// (focused) and m_bitmapDisabled. A face that is missing is drawn as the
// normal one. The button owns the bitmaps; owners may fill them directly.
#include "afx/bitmap.h"
#include "afx/button.h"

class CBitmapButton : public CButton {
 public:
  // Bitmap resources of the program (0: none); FALSE when the normal one
  // cannot be loaded. Loaded faces replace the ones held before.
  BOOL LoadBitmaps(UINT normal, UINT selected = 0, UINT focused = 0, UINT disabled = 0);
  // Makes the button the size of its normal face.
  void SizeToContent();
  // Copies the face of the item's state into the item's rectangle.
  void DrawItem(LPDRAWITEMSTRUCT item) override;

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;
};
