#pragma once
// A view of pixel memory in the platform's DIB layout: the drawing code
// reads and writes every kind of surface (DIB sections, packed DIBs handed
// to SetDIBitsToDevice, later the images behind windows) through it.
// Pixels travel as 32-bit words 0xAARRGGBB, the byte order of a 32-bit DIB
// (blue, green, red, alpha in memory). Sources without alpha read as alpha 0.
// A Surface does not own its memory.
#include <cstddef>
#include <cstdint>

#include "win/dib.h"

namespace quorla {

struct Surface {
  BYTE* top = nullptr;      // first byte of the top row
  std::ptrdiff_t pitch = 0;  // bytes from a row to the one below it (negative for bottom-up memory)
  int width = 0;
  int height = 0;
  int bitCount = 0;  // 1, 4, 8, 24 or 32
  const RGBQUAD* palette = nullptr;
  int paletteSize = 0;

  bool Valid() const { return top && width > 0 && height > 0; }
  // Only 24- and 32-bit surfaces can be drawn into.
  bool Writable() const { return Valid() && (bitCount == 24 || bitCount == 32); }
  BYTE* Row(int y) const { return top + pitch * static_cast<std::ptrdiff_t>(y); }
};

// Bytes per row of a DIB: bits rounded up to whole 32-bit words. Computed in
// 64 bits; a negative width gives 0.
std::int64_t DibStride(std::int64_t width, int bitCount);

// A surface over packed DIB memory described by header (its biHeight sign
// tells the row order). Invalid (top null) for unsupported descriptions.
Surface DibSurface(const BITMAPINFOHEADER& header, const void* bits, const RGBQUAD* palette, int paletteSize);

std::uint32_t ReadPixel(const Surface& surface, int x, int y);
void ReadPixels(const Surface& surface, int x, int y, int count, std::uint32_t* out);
// 24-bit surfaces keep blue, green and red; 32-bit surfaces the whole word.
void WritePixels(const Surface& surface, int x, int y, int count, const std::uint32_t* pixels);
void FillPixels(const Surface& surface, int x, int y, int count, std::uint32_t pixel);

// COLORREF 0x00BBGGRR to a pixel word with alpha 0, and back.
constexpr std::uint32_t PixelFromColorRef(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF ColorRefFromPixel(std::uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

}  // namespace quorla
