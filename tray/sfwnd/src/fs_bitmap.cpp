#include "sfwnd/fs_bitmap.h"

#include "sfwnd/drawing_objects.h"
#include "win/blit.h"

void CFSBitmap::Attach(HBITMAP bitmap, int frameCount) {
  m_bitmap = nullptr;
  m_frameCount = frameCount;
  m_frameWidth = 0;
  m_height = 0;
  m_alpha = false;
  BITMAP info{};
  if (!bitmap || frameCount < 1 || GetObjectW(bitmap, sizeof(info), &info) == 0) return;
  m_bitmap = bitmap;
  m_frameWidth = info.bmWidth / frameCount;
  m_height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  m_alpha = info.bmBitsPixel == 32;
}

int CFSBitmap::Blit(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, bool stretch) {
  HDC source = GetSkinBitmapDC();
  if (!dc || !source) return 0;
  HGDIOBJ previous = SelectObject(source, m_bitmap);
  if (!previous) return 0;
  BOOL drawn;
  if (m_alpha) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    drawn = AlphaBlend(dc, dx, dy, dw, dh, source, sx, sy, sw, sh, blend);
  } else if (!stretch) {
    drawn = BitBlt(dc, dx, dy, dw, dh, source, sx, sy, SRCCOPY);
  } else {
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    drawn = StretchBlt(dc, dx, dy, dw, dh, source, sx, sy, sw, sh, SRCCOPY);
    if (previousMode) SetStretchBltMode(dc, previousMode);
  }
  SelectObject(source, previous);
  return drawn ? 1 : 0;
}

int CFSBitmap::Draw(HDC dc, int x, int y, int frame) {
  if (!CanDraw(frame)) return 0;
  return Blit(dc, x, y, m_frameWidth, m_height, frame * m_frameWidth, 0, m_frameWidth, m_height, false);
}

int CFSBitmap::DrawEx(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, int frame) {
  if (!CanDraw(frame)) return 0;
  return Blit(dc, dx, dy, dw, dh, sx + frame * m_frameWidth, sy, sw, sh, true);
}

int CFSBitmap::StretchFrame(HDC dc, int x, int y, int w, int h, int frame) {
  if (!CanDraw(frame)) return 0;
  return Blit(dc, x, y, w, h, frame * m_frameWidth, 0, m_frameWidth, m_height, true);
}

int CFSBitmap::StretchFrameFullHeight(HDC dc, int x, int y, int w, int frame) {
  return StretchFrame(dc, x, y, w, m_height, frame);
}
