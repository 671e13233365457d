#pragma once
// CFSBitmap: a skin bitmap cut into equal frames laid side by side. 32-bit
// skins carry premultiplied alpha and are blended; others are copied. The
// object does not own the bitmap. Draws through the toolkit's shared bitmap
// DC, so user-interface thread only.
#include "win/dc.h"

class CFSBitmap {
 public:
  CFSBitmap() = default;
  CFSBitmap(const CFSBitmap&) = delete;
  CFSBitmap& operator=(const CFSBitmap&) = delete;

  // The drawing operations keep this order. Each returns 1 when it drew, 0
  // when there is no bitmap, the frame is outside 0 to count - 1, or the
  // platform refused the copy.
  virtual ~CFSBitmap() = default;
  // One frame at its natural size with its top-left at (x, y).
  virtual int Draw(HDC dc, int x, int y, int frame);
  // The rectangle (sx, sy, sw, sh) of the frame scaled to (dx, dy, dw, dh).
  virtual int DrawEx(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int frame);
  // The whole frame scaled to (x, y, w, h).
  virtual int StretchFrame(HDC dc, int x, int y, int w, int h, int frame);
  // StretchFrame at the bitmap's own height.
  virtual int StretchFrameFullHeight(HDC dc, int x, int y, int w, int frame);

  // Takes a bitmap of frameCount frames: frame width = bitmap width /
  // frameCount (rounded down), alpha when it has 32 bits per pixel. A null
  // or unreadable bitmap, or a count below 1, leaves a bitmap that draws
  // nothing (sizes and alpha 0).
  void Attach(HBITMAP bitmap, int frameCount);

  HBITMAP GetBitmap() const { return m_bitmap; }
  int GetFrameCount() const { return m_frameCount; }
  int GetFrameWidth() const { return m_frameWidth; }
  int GetHeight() const { return m_height; }
  bool HasAlpha() const { return m_alpha; }

 private:
  bool CanDraw(int frame) const { return m_bitmap && frame >= 0 && frame < m_frameCount; }
  // Copies or blends from the selected bitmap, scaling when the sizes differ.
  int Blit(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, bool stretch);

  HBITMAP m_bitmap = nullptr;
  int m_frameCount = 0;
  int m_frameWidth = 0;
  int m_height = 0;
  bool m_alpha = false;
};
