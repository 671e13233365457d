// CDibImage::Draw: paints the image onto a device context, straight from
// the DIB block when it is opaque and unscaled, else through a private
// 24-bit section covering only the visible part of the destination.
#include <algorithm>
#include <cmath>

#include "imaging/dib_image.h"
#include "win/blit.h"
#include "win/dc.h"
#include "win/regions.h"

namespace {

// A 24-bit bottom-up DIB section selected into a memory DC; freed (and the
// DC's previous bitmap restored) on destruction, whatever happened.
class ScratchSection {
 public:
  ScratchSection(HDC reference, LONG width, LONG height) {
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = width;
    info_.bmiHeader.biHeight = height;
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 24;
    dc_ = CreateCompatibleDC(reference);
    bitmap_ = CreateDIBSection(reference, &info_, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
    if (!bitmap_) bits_ = nullptr;
  }
  ~ScratchSection() {
    if (previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  BYTE* Bits() const { return bits_; }
  const BITMAPINFO* Info() const { return &info_; }
  std::size_t Stride() const { return (static_cast<std::size_t>(info_.bmiHeader.biWidth) * 24 + 31) / 32 * 4; }

 private:
  BITMAPINFO info_{};
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  BYTE* bits_ = nullptr;
};

}  // namespace

LONG CDibImage::Draw(HDC dc, LONG x, LONG y, LONG cx, LONG cy, const RECT* clip, bool smooth) {
  if (!m_dib || !dc || cx == 0 || cy == 0 || !m_info.enabled) return 0;
  const LONG width = m_header.biWidth, height = m_header.biHeight;
  if (cx < 0) cx = width;
  if (cy < 0) cy = height;
  const bool transparent = m_info.transIndex >= 0;
  const bool alpha = m_alpha != nullptr;
  const bool palette = m_header.biClrUsed != 0;
  if (SaveDC(dc) == 0) return 0;

  RECT savedClip{};
  if (clip) {
    GetClipBox(dc, &savedClip);
    HRGN region = CreateRectRgnIndirect(clip);
    ExtSelectClipRgn(dc, region, RGN_AND);
    DeleteObject(region);
  }

  // The visible part of the destination, in 64 bits so that positions near
  // the coordinate limits cannot wrap.
  RECT c{};
  GetClipBox(dc, &c);
  using I = long long;
  I top = std::min<I>(c.bottom, std::max<I>(c.top, y));
  I left = std::min<I>(c.right, std::max<I>(c.left, x));
  I right = std::max<I>(c.left, std::min<I>(c.right, static_cast<I>(x) + cx));
  I bottom = std::max<I>(c.top, std::min<I>(c.bottom, static_cast<I>(y) + cy));
  const LONG W = static_cast<LONG>(right - left), H = static_cast<LONG>(bottom - top);
  const bool scaled = cx != width || cy != height;
  const float fx = static_cast<float>(width) / static_cast<float>(cx);
  const float fy = static_cast<float>(height) / static_cast<float>(cy);

  // Source column and row of output pixel (i, j), j = 0 at the bottom.
  auto sourceX = [&](LONG i) -> LONG {
    if (!scaled) return static_cast<LONG>(left - x + i);
    return std::max(LONG{0}, static_cast<LONG>(std::floor(static_cast<float>(left - x + i) * fx)));
  };
  auto sourceY = [&](LONG j) -> LONG {
    if (!scaled) return static_cast<LONG>(height + y - bottom + j);
    return std::max(LONG{0}, static_cast<LONG>(std::floor(static_cast<float>(height) - static_cast<float>(bottom - y - j) * fy)));
  };
  auto sampled = [&](LONG i, LONG j) -> RGBQUAD {
    float sx = static_cast<float>(left - x + i) * fx - 0.5f;
    float sy = static_cast<float>(height) - static_cast<float>(bottom - y - j) * fy - 0.5f;
    if (fx > 1 && fy > 1) return SampleAreaColor(sx, sy, fx, fy, DIBIMAGE_INTERPOLATE_BILINEAR, DIBIMAGE_OVERFLOW_REPEAT);
    return SampleColor(sx, sy, DIBIMAGE_INTERPOLATE_BILINEAR, DIBIMAGE_OVERFLOW_REPEAT);
  };
  // A source pixel's colour, guarded: a mapping past the image edge reads
  // its last row or column instead of memory beyond it.
  auto sourceColor = [&](LONG sx, LONG sy) -> RGBQUAD {
    sx = std::min(sx, width - 1);
    sy = std::min(std::max(sy, LONG{0}), height - 1);
    return GetPixelColorRaw(sx, sy, false);
  };

  if (transparent || alpha || m_info.alphaPaletteEnabled) {
    ScratchSection scratch(dc, W, H);
    BitBlt(scratch.Dc(), 0, 0, W, H, dc, static_cast<int>(left), static_cast<int>(top), SRCCOPY);
    if (BYTE* bits = scratch.Bits()) {
      const RGBQUAD key = GetTransparentColor();
      for (LONG j = 0; j < H; ++j) {
        BYTE* out = bits + scratch.Stride() * static_cast<std::size_t>(j);
        LONG sy = std::min(std::max(sourceY(j), LONG{0}), height - 1);
        for (LONG i = 0; i < W; ++i, out += 3) {
          LONG sx = std::min(std::max(sourceX(i), LONG{0}), width - 1);
          unsigned a = (alpha ? GetAlphaAtRaw(sx, sy) : 255u) * (m_info.alphaMax + 1u) >> 8;
          RGBQUAD color = (smooth && scaled) ? sampled(i, j) : sourceColor(sx, sy);
          if (palette && m_info.alphaPaletteEnabled) {
            RGBQUAD entry = GetPaletteEntry(GetPixelIndexRaw(sx, sy));
            a = a * (entry.rgbReserved + 1u) >> 8;
          }
          if (a == 0) continue;
          if (transparent) {
            if (palette) {
              if (GetPixelIndexRaw(sx, sy) == static_cast<BYTE>(m_info.transIndex)) continue;
            } else if (color.rgbBlue == key.rgbBlue && color.rgbGreen == key.rgbGreen && color.rgbRed == key.rgbRed) {
              continue;
            }
          }
          if (a >= 255) {
            out[0] = color.rgbBlue;
            out[1] = color.rgbGreen;
            out[2] = color.rgbRed;
          } else {
            out[0] = static_cast<BYTE>((color.rgbBlue * a + out[0] * (255 - a)) >> 8);
            out[1] = static_cast<BYTE>((color.rgbGreen * a + out[1] * (255 - a)) >> 8);
            out[2] = static_cast<BYTE>((color.rgbRed * a + out[2] * (255 - a)) >> 8);
          }
        }
      }
    }
    SetDIBitsToDevice(dc, static_cast<int>(left), static_cast<int>(top), W, H, 0, 0, 0, H, scratch.Bits(),
                      scratch.Info(), DIB_RGB_COLORS);
  } else if (!scaled) {
    SetStretchBltMode(dc, COLORONCOLOR);
    SetDIBitsToDevice(dc, x, y, cx, cy, 0, 0, 0, cy, m_info.pixelStart, reinterpret_cast<BITMAPINFO*>(m_dib),
                      DIB_RGB_COLORS);
  } else {
    ScratchSection scratch(dc, W, H);
    if (BYTE* bits = scratch.Bits()) {
      for (LONG j = 0; j < H; ++j) {
        BYTE* out = bits + scratch.Stride() * static_cast<std::size_t>(j);
        LONG sy = sourceY(j);
        for (LONG i = 0; i < W; ++i, out += 3) {
          RGBQUAD color = smooth ? sampled(i, j) : sourceColor(sourceX(i), sy);
          out[0] = color.rgbBlue;
          out[1] = color.rgbGreen;
          out[2] = color.rgbRed;
        }
      }
    }
    SetDIBitsToDevice(dc, static_cast<int>(left), static_cast<int>(top), W, H, 0, 0, 0, H, scratch.Bits(),
                      scratch.Info(), DIB_RGB_COLORS);
  }

  if (clip) {
    HRGN region = CreateRectRgnIndirect(&savedClip);
    ExtSelectClipRgn(dc, region, RGN_OR);
    DeleteObject(region);
  }
  RestoreDC(dc, -1);
  return 1;
}
