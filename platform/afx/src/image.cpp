#include "afx/image.h"

#include <vector>

#include "win/blit.h"
#include "win/image_decoding.h"

namespace {

constexpr size_t kLargestPicture = size_t{256} << 20;

}  // namespace

CImage::~CImage() { Destroy(); }

void CImage::Destroy() {
  if (bitmap_) ::DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = bitsPerPixel_ = pitch_ = 0;
  alpha_ = false;
}

HRESULT CImage::Load(IStream* stream) {
  Destroy();
  if (!stream) return E_POINTER;
  std::vector<BYTE> bytes;
  BYTE block[16384];
  for (;;) {
    ULONG read = 0;
    HRESULT hr = stream->Read(block, sizeof block, &read);
    if (FAILED(hr)) return hr;
    if (read == 0) break;
    if (bytes.size() + read > kLargestPicture) return E_OUTOFMEMORY;
    bytes.insert(bytes.end(), block, block + read);
  }
  BOOL alpha = FALSE;
  HBITMAP bitmap = quorla::DecodeImageToDib(bytes.data(), bytes.size(), &alpha);
  if (!bitmap) return E_FAIL;
  DIBSECTION description{};
  if (::GetObjectW(bitmap, sizeof description, &description) != static_cast<int>(sizeof description)) {
    ::DeleteObject(bitmap);
    return E_FAIL;
  }
  bitmap_ = bitmap;
  bits_ = description.dsBm.bmBits;
  width_ = description.dsBm.bmWidth;
  height_ = description.dsBm.bmHeight;
  bitsPerPixel_ = description.dsBm.bmBitsPixel;
  pitch_ = description.dsBm.bmWidthBytes;
  alpha_ = alpha != FALSE;
  return S_OK;
}

void* CImage::GetPixelAddress(int x, int y) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
  return static_cast<BYTE*>(bits_) + static_cast<size_t>(y) * pitch_ + static_cast<size_t>(x) * (bitsPerPixel_ / 8);
}

BOOL CImage::Draw(HDC dc, int xDest, int yDest, int widthDest, int heightDest, int xSrc, int ySrc, int widthSrc,
                  int heightSrc) const {
  if (!bitmap_ || !dc) return FALSE;
  HDC memory = ::CreateCompatibleDC(dc);
  if (!memory) return FALSE;
  HGDIOBJ previous = ::SelectObject(memory, bitmap_);
  BOOL drawn;
  if (alpha_ && bitsPerPixel_ == 32) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    drawn = ::AlphaBlend(dc, xDest, yDest, widthDest, heightDest, memory, xSrc, ySrc, widthSrc, heightSrc, blend);
  } else if (widthDest < 0 || heightDest < 0 || widthSrc < 0 || heightSrc < 0) {
    drawn = FALSE;  // a negative size would mirror: nothing to draw
  } else {
    int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
    drawn = ::StretchBlt(dc, xDest, yDest, widthDest, heightDest, memory, xSrc, ySrc, widthSrc, heightSrc, SRCCOPY);
    if (mode) ::SetStretchBltMode(dc, mode);
  }
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  return drawn;
}

BOOL CImage::Draw(HDC dc, const RECT& destination, const RECT& source) const {
  return Draw(dc, destination.left, destination.top, destination.right - destination.left,
              destination.bottom - destination.top, source.left, source.top, source.right - source.left,
              source.bottom - source.top);
}

BOOL CImage::Draw(HDC dc, int xDest, int yDest, int widthDest, int heightDest) const {
  return Draw(dc, xDest, yDest, widthDest, heightDest, 0, 0, width_, height_);
}

BOOL CImage::Draw(HDC dc, const RECT& destination) const {
  return Draw(dc, destination.left, destination.top, destination.right - destination.left,
              destination.bottom - destination.top);
}

BOOL CImage::Draw(HDC dc, int xDest, int yDest) const { return Draw(dc, xDest, yDest, width_, height_); }

BOOL CImage::Draw(HDC dc, POINT destination) const { return Draw(dc, destination.x, destination.y); }
