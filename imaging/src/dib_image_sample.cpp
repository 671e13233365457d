// CDibImage: sampling at fractional positions, with the overflow rules for
// samples outside the image.
#include <algorithm>
#include <cmath>

#include "dib_kernels.h"
#include "imaging/dib_image.h"

namespace {

const RGBQUAD kWhite{255, 255, 255, 0};

LONG FloorIndex(float v) {
  LONG i = static_cast<LONG>(v);  // towards zero
  return v < 0 ? i - 1 : i;
}

BYTE ClampChannel(float v) {
  if (!(v > 0)) return 0;  // NaN too
  if (v >= 255) return 255;
  return static_cast<BYTE>(v);
}

LONG Modulo(LONG a, LONG n) {
  LONG r = a % n;
  return r < 0 ? r + n : r;
}

}  // namespace

RGBQUAD CDibImage::ColorWithOverflow(LONG x, LONG y, int overflow, const RGBQUAD* replacement) const {
  RGBQUAD fallback = replacement ? *replacement : kWhite;
  if (!m_dib || m_header.biWidth <= 0 || m_header.biHeight <= 0) return fallback;
  if (Contains(x, y)) return GetPixelColorRaw(x, y, true);
  switch (overflow) {
    case DIBIMAGE_OVERFLOW_BACKGROUND:
      if (m_info.transIndex >= 0) {
        return m_header.biBitCount < 24 ? GetPaletteEntry(static_cast<BYTE>(m_info.transIndex)) : m_info.transColor;
      }
      return fallback;
    case DIBIMAGE_OVERFLOW_TRANSPARENT:
      if (m_alpha) {
        fallback.rgbReserved = 0;
        return fallback;
      }
      return m_info.transIndex >= 0 ? GetTransparentColor() : fallback;
    case DIBIMAGE_OVERFLOW_WRAP:
    case DIBIMAGE_OVERFLOW_REPEAT:
    case DIBIMAGE_OVERFLOW_MIRROR:
      WrapCoordinates(x, y, overflow);
      return Contains(x, y) ? GetPixelColorRaw(x, y, true) : fallback;
    default:
      return fallback;
  }
}

void CDibImage::WrapCoordinates(LONG& x, LONG& y, int overflow) const {
  const LONG w = m_header.biWidth, h = m_header.biHeight;
  if (w <= 0 || h <= 0 || Contains(x, y)) return;
  auto map = [overflow](LONG v, LONG n) -> LONG {
    switch (overflow) {
      case DIBIMAGE_OVERFLOW_WRAP:
        return Modulo(v, n);
      case DIBIMAGE_OVERFLOW_REPEAT:
        return std::clamp(v, LONG{0}, n - 1);
      case DIBIMAGE_OVERFLOW_MIRROR:
        if (v < 0) return static_cast<LONG>((-static_cast<long long>(v)) % n);
        if (v >= n) return n - (v % n) - 1;
        return v;
      default:
        return v;
    }
  };
  x = map(x, w);
  y = map(y, h);
}

void CDibImage::WrapCoordinates(float& x, float& y, int overflow) const {
  const float w = static_cast<float>(m_header.biWidth), h = static_cast<float>(m_header.biHeight);
  if (w <= 0 || h <= 0) return;
  if (x >= 0 && x < w && y >= 0 && y < h) return;
  auto map = [overflow](float v, float n) -> float {
    switch (overflow) {
      case DIBIMAGE_OVERFLOW_WRAP: {
        float r = std::fmod(v, n);
        return r < 0 ? r + n : r;
      }
      case DIBIMAGE_OVERFLOW_REPEAT:
        return std::clamp(v, 0.0f, n - 1);
      case DIBIMAGE_OVERFLOW_MIRROR:
        if (v < 0) return std::fmod(-v, n);
        if (v >= n) return n - std::fmod(v, n) - 1;
        return v;
      default:
        return v;
    }
  };
  x = map(x, w);
  y = map(y, h);
}

void CDibImage::AccumulateWeighted(RGBQUAD color, float weight, float& red, float& green, float& blue, float& alpha) {
  red += color.rgbRed * weight;
  green += color.rgbGreen * weight;
  blue += color.rgbBlue * weight;
  alpha += color.rgbReserved * weight;
}

RGBQUAD CDibImage::SampleColor(float x, float y, int method, int overflow, const RGBQUAD* replacement) const {
  RGBQUAD fallback = replacement ? *replacement : kWhite;
  if (!m_dib) return fallback;
  if (!std::isfinite(x) || !std::isfinite(y)) return ColorWithOverflow(-999, -999, overflow, replacement);
  // Positions far outside any image go the overflow way at once, so that
  // no index computation below can leave 32 bits.
  const float far = 1e8f;
  if (std::fabs(x) > far || std::fabs(y) > far) {
    if (overflow >= DIBIMAGE_OVERFLOW_COLOR && overflow <= DIBIMAGE_OVERFLOW_TRANSPARENT) {
      return ColorWithOverflow(-999, -999, overflow, replacement);
    }
    WrapCoordinates(x, y, overflow);
    if (std::fabs(x) > far || std::fabs(y) > far) return ColorWithOverflow(-999, -999, overflow, replacement);
  }
  const LONG width = m_header.biWidth, height = m_header.biHeight;
  const bool hasAlpha = m_alpha != nullptr;
  LONG x0 = FloorIndex(x), y0 = FloorIndex(y);

  if (method == DIBIMAGE_INTERPOLATE_NEAREST) {
    return ColorWithOverflow(static_cast<LONG>(x + 0.5f), static_cast<LONG>(y + 0.5f), overflow, replacement);
  }
  const bool kernel = method >= 3 && method <= 18;
  if (!kernel) {
    if (x0 < -1 || x0 >= width || y0 < -1 || y0 >= height) {
      if (overflow >= DIBIMAGE_OVERFLOW_COLOR && overflow <= DIBIMAGE_OVERFLOW_TRANSPARENT) {
        return ColorWithOverflow(-999, -999, overflow, replacement);
      }
      WrapCoordinates(x, y, overflow);
      x0 = FloorIndex(x);
      y0 = FloorIndex(y);
    }
    if (x0 >= 0 && x0 + 1 < width && y0 >= 0 && y0 + 1 < height && m_header.biBitCount == 24) {
      unsigned u = static_cast<unsigned>((x - x0) * 256), v = static_cast<unsigned>((y - y0) * 256);
      unsigned w11 = (u * v) >> 8, w10 = u - w11, w01 = v - w11, w00 = 256 - u - v + w11;
      const BYTE* p00 = RowRaw(y0) + static_cast<std::size_t>(x0) * 3;
      const BYTE* p01 = RowRaw(y0 + 1) + static_cast<std::size_t>(x0) * 3;
      const BYTE* p10 = p00 + 3;
      const BYTE* p11 = p01 + 3;
      RGBQUAD out;
      BYTE* channel = &out.rgbBlue;
      for (int c = 0; c < 3; ++c) {
        channel[c] = static_cast<BYTE>(static_cast<std::uint16_t>(p00[c] * w00 + p10[c] * w10 + p01[c] * w01 +
                                                                   p11[c] * w11) >> 8);
      }
      out.rgbReserved = 0;
      if (hasAlpha) {
        out.rgbReserved = static_cast<BYTE>(
            static_cast<std::uint16_t>(GetAlphaAtRaw(x0, y0) * w00 + GetAlphaAtRaw(x0 + 1, y0) * w10 +
                                       GetAlphaAtRaw(x0, y0 + 1) * w01 + GetAlphaAtRaw(x0 + 1, y0 + 1) * w11) >> 8);
      }
      return out;
    }
    float dx = x - static_cast<float>(x0), dy = y - static_cast<float>(y0);
    RGBQUAD c00 = ColorWithOverflow(x0, y0, overflow, replacement);
    RGBQUAD c10 = ColorWithOverflow(x0 + 1, y0, overflow, replacement);
    RGBQUAD c01 = ColorWithOverflow(x0, y0 + 1, overflow, replacement);
    RGBQUAD c11 = ColorWithOverflow(x0 + 1, y0 + 1, overflow, replacement);
    float r = 0, g = 0, b = 0, a = 0;
    AccumulateWeighted(c00, (1 - dx) * (1 - dy), r, g, b, a);
    AccumulateWeighted(c10, dx * (1 - dy), r, g, b, a);
    AccumulateWeighted(c01, (1 - dx) * dy, r, g, b, a);
    AccumulateWeighted(c11, dx * dy, r, g, b, a);
    return RGBQUAD{ClampChannel(b), ClampChannel(g), ClampChannel(r), hasAlpha ? ClampChannel(a) : BYTE{0}};
  }

  // Kernels: a 4 x 4 window (x0-1 .. x0+2), or 12 x 12 for Lanczos.
  const LONG before = method == 6 ? 5 : 1, after = method == 6 ? 6 : 2;
  if (x0 + after < 0 || x0 - before >= width || y0 + after < 0 || y0 - before >= height) {
    if (overflow >= DIBIMAGE_OVERFLOW_COLOR && overflow <= DIBIMAGE_OVERFLOW_TRANSPARENT) {
      return ColorWithOverflow(-999, -999, overflow, replacement);
    }
    WrapCoordinates(x, y, overflow);
    x0 = FloorIndex(x);
    y0 = FloorIndex(y);
  }
  const bool direct = x0 - before >= 0 && x0 + after < width && y0 - before >= 0 && y0 + after < height &&
                      m_header.biBitCount == 24;
  float kx[12], ky[12];
  const LONG span = before + after + 1;
  for (LONG i = 0; i < span; ++i) {
    kx[i] = dib_kernels::Weight(method, static_cast<float>(x0 - before + i) - x);
    ky[i] = dib_kernels::Weight(method, static_cast<float>(y0 - before + i) - y);
  }
  float r = 0, g = 0, b = 0, a = 0;
  for (LONG j = 0; j < span; ++j) {
    LONG sy = y0 - before + j;
    for (LONG i = 0; i < span; ++i) {
      LONG sx = x0 - before + i;
      RGBQUAD c = direct ? GetPixelColorRaw(sx, sy, true) : ColorWithOverflow(sx, sy, overflow, replacement);
      AccumulateWeighted(c, kx[i] * ky[j], r, g, b, a);
    }
  }
  return RGBQUAD{ClampChannel(b), ClampChannel(g), ClampChannel(r), hasAlpha ? ClampChannel(a) : BYTE{0}};
}

RGBQUAD CDibImage::SampleAreaColor(float x, float y, float w, float h, int method, int overflow,
                                   const RGBQUAD* replacement) const {
  if (w <= 1 && h <= 1) return SampleColor(x, y, method, overflow, replacement);
  RGBQUAD fallback = replacement ? *replacement : kWhite;
  if (!m_dib || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h)) return fallback;
  CDibRectF area(x - w / 2, y - h / 2, x + w / 2, y + h / 2);
  // Areas beyond a sensible size are not walked pixel by pixel.
  if (std::fabs(area.botLeft.x) > 1e7f || std::fabs(area.topRight.x) > 1e7f || std::fabs(area.botLeft.y) > 1e7f ||
      std::fabs(area.topRight.y) > 1e7f || w * h > 1e8f) {
    return fallback;
  }
  LONG x1 = static_cast<LONG>(area.botLeft.x + 0.5f), x2 = static_cast<LONG>(area.topRight.x + 0.5f);
  LONG y1 = static_cast<LONG>(area.botLeft.y + 0.5f), y2 = static_cast<LONG>(area.topRight.y + 0.5f);
  float r = 0, g = 0, b = 0, a = 0;
  const bool bothSides = w > 1 && h > 1;
  for (LONG py = y1; py <= y2; ++py) {
    for (LONG px = x1; px <= x2; ++px) {
      CDibRectF pixel(px - 0.5f, py - 0.5f, px + 0.5f, py + 0.5f);
      CDibRectF part = pixel.Intersect(area);
      float surface = part.Surface();
      if (surface <= 0) continue;
      RGBQUAD c;
      if (bothSides) {
        c = ColorWithOverflow(px, py, overflow, replacement);
      } else {
        CDibPointF centre = part.Center();
        c = SampleColor(centre.x, centre.y, method, overflow, replacement);
      }
      AccumulateWeighted(c, surface, r, g, b, a);
    }
  }
  float total = area.Surface();
  if (!(total > 0)) return fallback;
  return RGBQUAD{ClampChannel(b / total), ClampChannel(g / total), ClampChannel(r / total),
                 m_alpha ? ClampChannel(a / total) : BYTE{0}};
}
