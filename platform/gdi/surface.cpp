#include "surface.h"

#include <cstring>

namespace quorla {

std::int64_t DibStride(std::int64_t width, int bitCount) {
  if (width <= 0 || bitCount <= 0) return 0;
  return ((width * bitCount + 31) / 32) * 4;
}

Surface DibSurface(const BITMAPINFOHEADER& header, const void* bits, const RGBQUAD* palette, int paletteSize) {
  Surface s;
  int bitCount = header.biBitCount;
  if (!bits || header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) return s;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return s;
  if (header.biCompression != BI_RGB && !(header.biCompression == BI_BITFIELDS && bitCount == 32)) return s;
  std::int64_t stride = DibStride(header.biWidth, bitCount);
  int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  auto* base = static_cast<BYTE*>(const_cast<void*>(bits));
  s.width = header.biWidth;
  s.height = height;
  s.bitCount = bitCount;
  if (header.biHeight < 0) {
    s.top = base;
    s.pitch = stride;
  } else {
    s.top = base + stride * (height - 1);
    s.pitch = -stride;
  }
  if (bitCount <= 8) {
    s.palette = palette;
    s.paletteSize = palette ? paletteSize : 0;
  }
  return s;
}

namespace {

inline std::uint32_t PaletteColor(const Surface& s, unsigned index) {
  if (static_cast<int>(index) >= s.paletteSize) return 0;
  const RGBQUAD& q = s.palette[index];
  return (static_cast<std::uint32_t>(q.rgbRed) << 16) | (static_cast<std::uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
}

}  // namespace

std::uint32_t ReadPixel(const Surface& s, int x, int y) {
  const BYTE* row = s.Row(y);
  switch (s.bitCount) {
    case 32: {
      std::uint32_t p;
      std::memcpy(&p, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
      return p;
    }
    case 24: {
      const BYTE* q = row + static_cast<std::ptrdiff_t>(x) * 3;
      return (static_cast<std::uint32_t>(q[2]) << 16) | (static_cast<std::uint32_t>(q[1]) << 8) | q[0];
    }
    case 8:
      return PaletteColor(s, row[x]);
    case 4: {
      BYTE b = row[x / 2];
      return PaletteColor(s, (x & 1) ? (b & 0x0F) : (b >> 4));
    }
    case 1:
      return PaletteColor(s, (row[x / 8] >> (7 - (x & 7))) & 1);
    default:
      return 0;
  }
}

void ReadPixels(const Surface& s, int x, int y, int count, std::uint32_t* out) {
  if (s.bitCount == 32) {
    std::memcpy(out, s.Row(y) + static_cast<std::ptrdiff_t>(x) * 4, static_cast<size_t>(count) * 4);
    return;
  }
  for (int i = 0; i < count; ++i) out[i] = ReadPixel(s, x + i, y);
}

void WritePixels(const Surface& s, int x, int y, int count, const std::uint32_t* pixels) {
  BYTE* row = s.Row(y);
  if (s.bitCount == 32) {
    std::memcpy(row + static_cast<std::ptrdiff_t>(x) * 4, pixels, static_cast<size_t>(count) * 4);
  } else if (s.bitCount == 24) {
    BYTE* q = row + static_cast<std::ptrdiff_t>(x) * 3;
    for (int i = 0; i < count; ++i, q += 3) {
      q[0] = static_cast<BYTE>(pixels[i]);
      q[1] = static_cast<BYTE>(pixels[i] >> 8);
      q[2] = static_cast<BYTE>(pixels[i] >> 16);
    }
  }
}

void FillPixels(const Surface& s, int x, int y, int count, std::uint32_t pixel) {
  BYTE* row = s.Row(y);
  if (s.bitCount == 32) {
    auto* q = row + static_cast<std::ptrdiff_t>(x) * 4;
    for (int i = 0; i < count; ++i, q += 4) std::memcpy(q, &pixel, 4);
  } else if (s.bitCount == 24) {
    BYTE* q = row + static_cast<std::ptrdiff_t>(x) * 3;
    for (int i = 0; i < count; ++i, q += 3) {
      q[0] = static_cast<BYTE>(pixel);
      q[1] = static_cast<BYTE>(pixel >> 8);
      q[2] = static_cast<BYTE>(pixel >> 16);
    }
  }
}

}  // namespace quorla
