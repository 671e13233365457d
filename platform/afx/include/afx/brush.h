#pragma once
// CBrush: owns a brush.
#include "afx/gdi_object.h"

class CBitmap;

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  // A solid brush of the colour (no brush when it cannot be made).
  explicit CBrush(COLORREF color);
  static CBrush* FromHandle(HBRUSH brush);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

  BOOL CreateSolidBrush(COLORREF color);
  // Tiles a copy of the bitmap (the bitmap may go afterwards).
  BOOL CreatePatternBrush(CBitmap* bitmap);
};
