#pragma once
// Test surfaces and synthetic skins: 32- or 24-bit top-down DIB sections
// whose pixels the tests set and read directly.
#include <cstdint>
#include <functional>
#include <string>

#include "sfwnd/fs_bitmap.h"
#include "win/blit.h"
#include "win/dc.h"
#include "win/dib.h"

namespace sfwnd_test {

inline HBITMAP MakeDib(int width, int height, int bitCount, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Pixel as 0xAARRGGBB.
using PixelFn = std::function<std::uint32_t(int x, int y)>;

// A bitmap filled by fn; 32-bit skins carry the alpha byte as given (the
// caller gives premultiplied colour).
struct Skin {
  Skin(int width, int height, int bitCount, const PixelFn& fn) : width(width), height(height) {
    void* bits = nullptr;
    bitmap = MakeDib(width, height, bitCount, &bits);
    const int bytes = bitCount / 8;
    const int stride = ((width * bitCount + 31) / 32) * 4;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::uint32_t p = fn(x, y);
        BYTE* q = static_cast<BYTE*>(bits) + y * stride + x * bytes;
        q[0] = BYTE(p);
        q[1] = BYTE(p >> 8);
        q[2] = BYTE(p >> 16);
        if (bytes == 4) q[3] = BYTE(p >> 24);
      }
    }
  }
  ~Skin() { DeleteObject(bitmap); }
  Skin(const Skin&) = delete;
  Skin& operator=(const Skin&) = delete;

  int width, height;
  HBITMAP bitmap = nullptr;
};

// A 32-bit surface selected into its own memory DC.
struct Surface {
  Surface(int width, int height, std::uint32_t fill = 0xFFFFFF) : width(width), height(height) {
    bitmap = MakeDib(width, height, 32, &bits);
    dc = CreateCompatibleDC(nullptr);
    previous = SelectObject(dc, bitmap);
    Fill(fill);
  }
  ~Surface() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  std::uint32_t* Row(int y) const { return static_cast<std::uint32_t*>(bits) + y * width; }
  // 0x00RRGGBB.
  std::uint32_t Rgb(int x, int y) const { return Row(y)[x] & 0xFFFFFF; }
  void Fill(std::uint32_t rgb) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) Row(y)[x] = rgb;
  }
  // The smallest rectangle of pixels that differ from rgb inside the given
  // rectangle; empty (all zero) when there are none.
  RECT InkBox(std::uint32_t rgb, RECT within) const {
    RECT box{within.right, within.bottom, within.left, within.top};
    bool any = false;
    for (int y = within.top; y < within.bottom; ++y) {
      for (int x = within.left; x < within.right; ++x) {
        if (Rgb(x, y) == rgb) continue;
        any = true;
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x + 1 > box.right) box.right = x + 1;
        if (y + 1 > box.bottom) box.bottom = y + 1;
      }
    }
    return any ? box : RECT{0, 0, 0, 0};
  }
  RECT InkBox(std::uint32_t rgb) const { return InkBox(rgb, RECT{0, 0, width, height}); }

  int width, height;
  void* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
};

// A four-frame button strip, 12 x 10 per frame, each frame of one colour.
struct ButtonSkin {
  explicit ButtonSkin(const std::uint32_t (&colours)[4])
      : skin(48, 10, 24, [&colours](int x, int) { return colours[x / 12]; }) {
    bitmap.Attach(skin.bitmap, 4);
  }
  Skin skin;
  CFSBitmap bitmap;
};

// "left,top,right,bottom", for comparisons that show the whole rectangle.
inline std::string Box(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

}  // namespace sfwnd_test
