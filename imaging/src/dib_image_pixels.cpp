// CDibImage: single pixels, the palette and the nearest-colour lookup.
#include <cstring>

#include "imaging/dib_image.h"

BYTE CDibImage::GetPixelIndexSafe(LONG x, LONG y) const {
  if (!m_dib || m_header.biClrUsed == 0) return 0;
  if (!Contains(x, y)) {
    if (m_info.transIndex >= 0) return static_cast<BYTE>(m_info.transIndex);
    return *m_info.pixelStart;
  }
  return GetPixelIndexRaw(x, y);
}

BYTE CDibImage::GetPixelIndexRaw(LONG x, LONG y) const {
  const BYTE* row = RowRaw(y);
  switch (m_header.biBitCount) {
    case 8:
      return row[x];
    case 4: {
      BYTE b = row[x >> 1];
      return (x & 1) ? static_cast<BYTE>(b & 0x0F) : static_cast<BYTE>(b >> 4);
    }
    case 1:
      return static_cast<BYTE>((row[x >> 3] >> (7 - (x & 7))) & 1);
    default:
      return 0;
  }
}

void CDibImage::SetPixelIndexSafe(LONG x, LONG y, BYTE index) {
  if (!m_dib || m_header.biClrUsed == 0 || !Contains(x, y)) return;
  SetPixelIndexRaw(x, y, index);
}

void CDibImage::SetPixelIndexRaw(LONG x, LONG y, BYTE index) {
  BYTE* row = RowRaw(y);
  switch (m_header.biBitCount) {
    case 8:
      row[x] = index;
      break;
    case 4: {
      BYTE& b = row[x >> 1];
      if (x & 1) b = static_cast<BYTE>((b & 0xF0) | (index & 0x0F));
      else b = static_cast<BYTE>((b & 0x0F) | ((index & 0x0F) << 4));
      break;
    }
    case 1: {
      BYTE& b = row[x >> 3];
      BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
      b = (index & 1) ? static_cast<BYTE>(b | mask) : static_cast<BYTE>(b & ~mask);
      break;
    }
    default:
      break;
  }
}

RGBQUAD CDibImage::GetPixelColorSafe(LONG x, LONG y, bool withAlpha) const {
  if (m_dib && Contains(x, y)) {
    RGBQUAD color = GetPixelColorRaw(x, y, withAlpha);
    // A 24-bit pixel read without alpha carries the key's reserved byte.
    if (!m_header.biClrUsed && !(m_alpha && withAlpha)) color.rgbReserved = m_info.transColor.rgbReserved;
    return color;
  }
  if (m_info.transIndex >= 0 && m_header.biBitCount < 24) return GetPaletteEntry(static_cast<BYTE>(m_info.transIndex));
  if (m_info.transIndex < 0 && m_dib) return GetPixelColorSafe(0, 0, true);
  return m_info.transColor;
}

RGBQUAD CDibImage::GetPixelColorRaw(LONG x, LONG y, bool withAlpha) const {
  RGBQUAD color{0, 0, 0, 0};
  if (m_header.biClrUsed) {
    color = GetPaletteEntry(GetPixelIndexRaw(x, y));
  } else {
    const BYTE* p = RowRaw(y) + static_cast<std::size_t>(x) * 3;
    color.rgbBlue = p[0];
    color.rgbGreen = p[1];
    color.rgbRed = p[2];
  }
  if (m_alpha && withAlpha) color.rgbReserved = GetAlphaAtRaw(x, y);
  return color;
}

void CDibImage::SetPixelColorRaw(LONG x, LONG y, RGBQUAD color, bool setAlpha) {
  if (m_header.biClrUsed) {
    SetPixelIndexRaw(x, y, FindNearestIndex(color));
  } else {
    BYTE* p = RowRaw(y) + static_cast<std::size_t>(x) * 3;
    p[0] = color.rgbBlue;
    p[1] = color.rgbGreen;
    p[2] = color.rgbRed;
  }
  if (setAlpha) SetAlphaAt(x, y, color.rgbReserved);
}

BYTE* CDibImage::GetPixelAddress(LONG x, LONG y) const {
  if (m_header.biClrUsed) return nullptr;
  return RowRaw(y) + static_cast<std::size_t>(x) * 3;
}

RGBQUAD* CDibImage::GetPaletteStart() const {
  if (!m_dib || m_header.biClrUsed == 0) return nullptr;
  return reinterpret_cast<RGBQUAD*>(m_dib + sizeof(BITMAPINFOHEADER));
}

RGBQUAD CDibImage::GetPaletteEntry(BYTE index) const {
  RGBQUAD* palette = GetPaletteStart();
  if (!palette || index >= m_header.biClrUsed) return RGBQUAD{0, 0, 0, 0};
  return palette[index];
}

void CDibImage::SetPaletteEntry(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha) {
  RGBQUAD* palette = GetPaletteStart();
  if (!palette || index >= m_header.biClrUsed) return;
  palette[index] = RGBQUAD{blue, green, red, alpha};
  InvalidateNearest();
}

void CDibImage::SetPaletteRgb(const BYTE* triples, DWORD count) {
  RGBQUAD* palette = GetPaletteStart();
  if (!palette || !triples) return;
  DWORD n = count < m_header.biClrUsed ? count : m_header.biClrUsed;
  for (DWORD i = 0; i < n; ++i) {
    palette[i].rgbRed = triples[3 * i];
    palette[i].rgbGreen = triples[3 * i + 1];
    palette[i].rgbBlue = triples[3 * i + 2];
  }
  InvalidateNearest();
}

void CDibImage::CopyPaletteEntries(const RGBQUAD* entries, DWORD count) {
  RGBQUAD* palette = GetPaletteStart();
  if (!palette || !entries) return;
  std::uint64_t bytes = static_cast<std::uint64_t>(count) * 4;
  if (bytes > GetPaletteBytes()) bytes = GetPaletteBytes();
  std::memcpy(palette, entries, static_cast<std::size_t>(bytes));
  InvalidateNearest();
}

void CDibImage::FillGrayPalette() {
  RGBQUAD* palette = GetPaletteStart();
  if (!palette) return;
  DWORD n = m_header.biClrUsed;
  DWORD step = n > 1 ? 255 / (n - 1) : 0;
  for (DWORD i = 0; i < n; ++i) {
    BYTE v = static_cast<BYTE>(i * step);
    palette[i].rgbBlue = palette[i].rgbGreen = palette[i].rgbRed = v;
  }
  InvalidateNearest();
}

bool CDibImage::IsGrayPalette() const {
  RGBQUAD* palette = GetPaletteStart();
  if (!palette) return false;
  for (DWORD i = 0; i < m_header.biClrUsed; ++i) {
    if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i) return false;
  }
  return true;
}

void CDibImage::SetImportantColors(DWORD count) {
  if (count == 0 || count > 256) {
    m_header.biClrImportant = 0;
    return;
  }
  switch (m_header.biBitCount) {
    case 1:
      m_header.biClrImportant = count < 2 ? count : 2;
      break;
    case 4:
      m_header.biClrImportant = count < 16 ? count : 16;
      break;
    case 8:
      m_header.biClrImportant = count;
      break;
    default:
      break;
  }
}

BYTE CDibImage::FindNearestIndex(RGBQUAD color) {
  RGBQUAD* palette = GetPaletteStart();
  if (!m_dib || !palette) return 0;
  if (m_info.lastNearestValid && std::memcmp(&color, &m_info.lastNearestColor, sizeof(RGBQUAD)) == 0) {
    return m_info.lastNearestIndex;
  }
  m_info.lastNearestColor = color;
  m_info.lastNearestValid = true;
  DWORD n = m_header.biClrImportant ? m_header.biClrImportant : m_header.biClrUsed;
  if (n > m_header.biClrUsed) n = m_header.biClrUsed;
  long best = 200000;
  BYTE bestIndex = 0;
  for (DWORD i = 0; i < n; ++i) {
    long db = static_cast<long>(palette[i].rgbBlue) - color.rgbBlue;
    long dg = static_cast<long>(palette[i].rgbGreen) - color.rgbGreen;
    long dr = static_cast<long>(palette[i].rgbRed) - color.rgbRed;
    long distance = db * db + dg * dg + dr * dr;
    if (distance == 0) {
      bestIndex = static_cast<BYTE>(i);
      break;
    }
    if (distance < best) {
      best = distance;
      bestIndex = static_cast<BYTE>(i);
    }
  }
  m_info.lastNearestIndex = bestIndex;
  return bestIndex;
}
