#pragma once
// Small helpers for the drawing tests: DIB sections with known memory.
#include <cstdint>
#include <cstring>
#include <vector>

#include "win/blit.h"
#include "win/dc.h"
#include "win/dib.h"

namespace drawing_test {

// A DIB section selected into its own memory DC; both freed on destruction.
struct Canvas {
  Canvas(int width, int height, int bitCount, bool topDown = true) : width(width), height(height), bitCount(bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    previous = SelectObject(dc, bitmap);
    stride = ((width * bitCount + 31) / 32) * 4;
    this->topDown = topDown;
  }
  ~Canvas() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  // Row y counted from the top, whatever the memory order.
  BYTE* Row(int y) const { return static_cast<BYTE*>(bits) + stride * (topDown ? y : height - 1 - y); }
  // The pixel as 0x00RRGGBB (alpha dropped).
  std::uint32_t Rgb(int x, int y) const {
    const BYTE* p = Row(y) + x * (bitCount / 8);
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
  }
  BYTE Alpha(int x, int y) const { return Row(y)[x * 4 + 3]; }
  void Set(int x, int y, std::uint32_t rgb, BYTE alpha = 0) {
    BYTE* p = Row(y) + x * (bitCount / 8);
    p[0] = BYTE(rgb);
    p[1] = BYTE(rgb >> 8);
    p[2] = BYTE(rgb >> 16);
    if (bitCount == 32) p[3] = alpha;
  }
  void Fill(std::uint32_t rgb, BYTE alpha = 0) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) Set(x, y, rgb, alpha);
  }
  int CountNot(std::uint32_t rgb, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Rgb(x, y) != rgb;
    return n;
  }

  int width, height, bitCount, stride = 0;
  bool topDown = true;
  void* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
};

}  // namespace drawing_test
