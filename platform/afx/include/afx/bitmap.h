#pragma once
// CBitmap: owns a bitmap.
#include "afx/gdi_object.h"
#include "win/dib.h"

class CDC;

class CBitmap : public CGdiObject {
 public:
  static CBitmap* FromHandle(HBITMAP bitmap);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

  // A bitmap resource of the program (an opaque 24-bit bitmap); FALSE when
  // missing.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCWSTR name);
  // 1, 24 or 32 bits per pixel; bits (rows padded to 16 bits) may be null.
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  // A bitmap to draw into with dc's kind of pixels (dc may be null).
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // Fills the description; 0 when there is no bitmap.
  int GetBitmap(BITMAP* description) const;
};
