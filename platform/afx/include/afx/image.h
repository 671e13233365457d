#pragma once
// CImage: a picture in a DIB section of its own, loaded from a stream and
// drawn onto a DC.
//
// Load keeps the picture's pixels as they are: a picture with an alpha
// channel becomes 32 bits per pixel (blue, green, red, alpha) with straight
// alpha, any other 24 bits; rows run top-down, GetBits is the top row and
// GetPitch the positive distance between rows. Draw blends a 32-bit picture
// with an alpha channel per pixel, taking its colours as premultiplied by
// its alpha (the caller premultiplies once after loading); it copies any
// other picture. A stretched picture is scaled by the nearest pixel.
// One image is used by one thread at a time.
#include "afx/geometry.h"
#include "win/dc.h"
#include "win/stream.h"

class CImage {
 public:
  CImage() = default;
  ~CImage();
  CImage(const CImage&) = delete;
  CImage& operator=(const CImage&) = delete;

  // Reads the rest of the stream and decodes it; S_OK, or E_FAIL for bytes
  // that are no picture (E_POINTER without a stream, E_OUTOFMEMORY for a
  // stream past 256 MiB, or the stream's error). The image is empty after a
  // failure.
  HRESULT Load(IStream* stream);
  void Destroy();

  bool IsNull() const { return bitmap_ == nullptr; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetBPP() const { return bitsPerPixel_; }
  int GetPitch() const { return pitch_; }
  void* GetBits() { return bits_; }
  const void* GetBits() const { return bits_; }
  void* GetPixelAddress(int x, int y);
  bool IsDIBSection() const { return true; }
  operator HBITMAP() const { return bitmap_; }

  // Destination and source rectangles; the short forms draw the whole
  // picture, at its own size or stretched to the destination. FALSE when
  // the image is empty or the drawing failed (a source rectangle outside
  // the picture, a negative size).
  BOOL Draw(HDC dc, int xDest, int yDest, int widthDest, int heightDest, int xSrc, int ySrc, int widthSrc,
            int heightSrc) const;
  BOOL Draw(HDC dc, const RECT& destination, const RECT& source) const;
  BOOL Draw(HDC dc, int xDest, int yDest, int widthDest, int heightDest) const;
  BOOL Draw(HDC dc, const RECT& destination) const;
  BOOL Draw(HDC dc, int xDest, int yDest) const;
  BOOL Draw(HDC dc, POINT destination) const;

 private:
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  int pitch_ = 0;
  bool alpha_ = false;
};
