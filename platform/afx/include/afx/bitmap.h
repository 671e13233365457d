#pragma once
// CBitmap: owns a bitmap.
#include "afx/gdi_object.h"
#include "win/dib.h"

class CDC;

class CBitmap : public CGdiObject {
 public:
  static CBitmap* FromHandle(HBITMAP bitmap);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

  // A bitmap to draw into with dc's kind of pixels (dc may be null).
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // Fills the description; 0 when there is no bitmap.
  int GetBitmap(BITMAP* description) const;
};
