#pragma once
// CMyImage: a skin image from the program's "PNG" resources, cut into equal
// frames side by side and premultiplied once at load, so every later paint
// is one alpha blend.
#include "afx/image.h"

class CMyImage : public CImage {
 public:
  CMyImage() = default;
  virtual ~CMyImage() = default;

  // The image's width by its columns and height by its rows at load. An
  // owner may narrow the frame width afterwards (icon strips whose frames
  // are narrower than an even division); frame n starts at n x frame width.
  int m_nFrameWidth = 0;
  int m_nFrameHeight = 0;

  // Draws frame `frame` of the first row at (x, y), one frame wide and high.
  BOOL DrawFrame(HDC dc, int frame, int x, int y) const;
};

// Loads PNG resource `id` into image, sets its frame size from rows and
// columns (both at least 1) and premultiplies its colours by its alpha.
// 1 on success; 0 when the resource is missing or empty, the bytes are no
// picture, or rows or columns is below 1. After a failed decode the image
// is empty and keeps its frame size.
BOOL LoadPngImage(UINT id, CMyImage* image, int rows, int columns);

// Multiplies each colour byte of every pixel of a 32-bit image with an
// alpha channel by that pixel's alpha, truncating (c x a / 255). Other
// images have no alpha byte to read and stay as they are.
void PremultiplyAlpha(CImage& image);
