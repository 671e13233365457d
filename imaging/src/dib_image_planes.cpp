// CDibImage: the alpha and selection planes, and the whole-image
// operations (flips, inversion, bit-field conversion, 2-bit widening).
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/dib_image.h"

namespace {

// Exchanges rows r and rows - 1 - r of a plane; false when no row buffer.
bool FlipPlane(BYTE* plane, std::size_t rowBytes, LONG rows) {
  BYTE* buffer = static_cast<BYTE*>(std::malloc(rowBytes ? rowBytes : 1));
  if (!buffer) return false;
  for (LONG r = 0; r < rows / 2; ++r) {
    BYTE* a = plane + static_cast<std::size_t>(r) * rowBytes;
    BYTE* b = plane + static_cast<std::size_t>(rows - 1 - r) * rowBytes;
    std::memcpy(buffer, a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, buffer, rowBytes);
  }
  std::free(buffer);
  return true;
}

int BitsSet16(DWORD mask) {
  int n = 0;
  for (int i = 0; i < 16; ++i) n += (mask >> i) & 1;
  return n;
}

// Shifts left for a positive count and right for a negative one.
DWORD ShiftBy(DWORD value, int left) {
  if (left >= 32 || left <= -32) return 0;
  return left >= 0 ? value << left : value >> -left;
}

int ByteIndexOfMask(DWORD mask) {
  int index = 0;
  for (int shift : {8, 16, 24}) index += (mask >> shift) != 0;
  return index;
}

}  // namespace

bool CDibImage::CreateAlpha() {
  if (!m_alpha) {
    std::size_t size = static_cast<std::size_t>(m_header.biWidth) * static_cast<std::size_t>(m_header.biHeight);
    m_alpha = static_cast<BYTE*>(std::malloc(size ? size : 1));
    if (m_alpha) std::memset(m_alpha, 255, size);
  }
  return m_alpha != nullptr;
}

void CDibImage::DeleteAlpha() {
  std::free(m_alpha);
  m_alpha = nullptr;
}

void CDibImage::InvertAlpha() {
  if (!m_alpha) return;
  std::size_t size = static_cast<std::size_t>(m_header.biWidth) * static_cast<std::size_t>(m_header.biHeight);
  for (std::size_t i = 0; i < size; ++i) m_alpha[i] = static_cast<BYTE>(255 - m_alpha[i]);
}

void CDibImage::SetAlphaAt(LONG x, LONG y, BYTE value) {
  if (m_alpha && Contains(x, y)) m_alpha[AlphaOffset(x, y)] = value;
}

BYTE CDibImage::GetAlphaAt(LONG x, LONG y) const {
  return (m_alpha && Contains(x, y)) ? m_alpha[AlphaOffset(x, y)] : 0;
}

BYTE* CDibImage::GetAlphaPointer(LONG x, LONG y) const {
  return (m_alpha && Contains(x, y)) ? m_alpha + AlphaOffset(x, y) : nullptr;
}

BYTE CDibImage::GetAlphaAtRaw(LONG x, LONG y) const { return m_alpha[AlphaOffset(x, y)]; }

bool CDibImage::FlipAlpha() {
  if (!m_alpha) return false;
  return FlipPlane(m_alpha, static_cast<std::size_t>(m_header.biWidth), m_header.biHeight);
}

bool CDibImage::CreateSelection() {
  if (!m_dib) return false;
  if (!m_selection) {
    std::size_t size = static_cast<std::size_t>(m_header.biWidth) * static_cast<std::size_t>(m_header.biHeight);
    m_selection = static_cast<BYTE*>(std::calloc(size ? size : 1, 1));
    if (!m_selection) return false;
    m_info.selectionBox = RECT{m_header.biWidth, 0, 0, m_header.biHeight};
  }
  return true;
}

bool CDibImage::DeleteSelection() {
  std::free(m_selection);
  m_selection = nullptr;
  m_info.selectionBox = RECT{m_header.biWidth, 0, 0, m_header.biHeight};
  return true;
}

bool CDibImage::IsSelectedRaw(LONG x, LONG y) const { return !m_selection || m_selection[AlphaOffset(x, y)] != 0; }

void CDibImage::SetSelectedRaw(LONG x, LONG y, bool selected) {
  if (!m_selection || !Contains(x, y)) return;
  m_selection[AlphaOffset(x, y)] = selected ? 255 : 0;
  RECT& box = m_info.selectionBox;
  if (!selected) return;
  if (x < box.left) box.left = x;
  if (x + 1 > box.right) box.right = x + 1;
  if (y < box.bottom) box.bottom = y;
  if (y + 1 > box.top) box.top = y + 1;
}

bool CDibImage::FlipSelection() {
  if (!m_selection || !FlipPlane(m_selection, static_cast<std::size_t>(m_header.biWidth), m_header.biHeight)) {
    return false;
  }
  RECT& box = m_info.selectionBox;
  LONG top = box.top;
  box.top = m_header.biHeight - box.bottom;
  box.bottom = m_header.biHeight - top;
  return true;
}

bool CDibImage::FlipRows(bool flipSelection, bool flipAlpha) {
  if (!m_dib || !FlipPlane(m_info.pixelStart, m_info.effWidth, m_header.biHeight)) return false;
  if (flipSelection) FlipSelection();
  if (flipAlpha) FlipAlpha();
  return true;
}

bool CDibImage::Invert() {
  if (!m_dib) return false;
  LONG width = m_header.biWidth, height = m_header.biHeight;
  std::size_t rowsBytes = static_cast<std::size_t>(m_info.effWidth) * static_cast<std::size_t>(height);
  const RECT& box = m_info.selectionBox;
  if (m_header.biBitCount > 8) {
    if (m_selection) {
      for (LONG y = box.bottom; y < box.top; ++y) {
        for (LONG x = box.left; x < box.right; ++x) {
          if (!Contains(x, y) || !IsSelectedRaw(x, y)) continue;
          RGBQUAD c = GetPixelColorRaw(x, y, true);
          c.rgbBlue = static_cast<BYTE>(255 - c.rgbBlue);
          c.rgbGreen = static_cast<BYTE>(255 - c.rgbGreen);
          c.rgbRed = static_cast<BYTE>(255 - c.rgbRed);
          SetPixelColorRaw(x, y, c, false);
        }
      }
    } else {
      for (std::size_t i = 0; i < rowsBytes; ++i) m_info.pixelStart[i] = static_cast<BYTE>(255 - m_info.pixelStart[i]);
    }
    m_info.transColor.rgbBlue = static_cast<BYTE>(255 - m_info.transColor.rgbBlue);
    m_info.transColor.rgbGreen = static_cast<BYTE>(255 - m_info.transColor.rgbGreen);
    m_info.transColor.rgbRed = static_cast<BYTE>(255 - m_info.transColor.rgbRed);
  } else if (!IsGrayPalette()) {
    RGBQUAD* palette = GetPaletteStart();
    for (DWORD i = 0; palette && i < m_header.biClrUsed; ++i) {
      palette[i].rgbBlue = static_cast<BYTE>(255 - palette[i].rgbBlue);
      palette[i].rgbGreen = static_cast<BYTE>(255 - palette[i].rgbGreen);
      palette[i].rgbRed = static_cast<BYTE>(255 - palette[i].rgbRed);
    }
    InvalidateNearest();
  } else if (m_selection) {
    for (LONG y = box.bottom; y < box.top; ++y) {
      for (LONG x = box.left; x < box.right; ++x) {
        if (Contains(x, y) && IsSelectedRaw(x, y)) {
          SetPixelIndexRaw(x, y, static_cast<BYTE>(255 - GetPixelIndexRaw(x, y)));
        }
      }
    }
  } else {
    for (std::size_t i = 0; i < rowsBytes; ++i) m_info.pixelStart[i] = static_cast<BYTE>(255 - m_info.pixelStart[i]);
  }
  (void)width;
  return true;
}

void CDibImage::BitfieldsToRgb(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask, BYTE bitCount) {
  if (!m_dib || !source || m_header.biBitCount != 24) return;
  LONG width = m_header.biWidth, height = m_header.biHeight;
  if (bitCount == 16) {
    int nr = BitsSet16(redMask), ng = BitsSet16(greenMask), nb = BitsSet16(blueMask);
    std::size_t sourceRow = static_cast<std::size_t>((width + 1) / 2) * 4;
    for (LONG y = height - 1; y >= 0; --y) {
      const BYTE* in = source + static_cast<std::size_t>(y) * sourceRow;
      BYTE* out = RowRaw(y);
      for (LONG x = width - 1; x >= 0; --x) {
        DWORD w = in[2 * x] | (static_cast<DWORD>(in[2 * x + 1]) << 8);
        BYTE* p = out + static_cast<std::size_t>(x) * 3;
        p[0] = static_cast<BYTE>(ShiftBy(w & blueMask, 8 - nr));
        p[1] = static_cast<BYTE>(ShiftBy(w & greenMask, -(nr + ng - 8)));
        p[2] = static_cast<BYTE>(ShiftBy(w & redMask, -(nr + ng + nb - 8)));
      }
    }
  } else if (bitCount == 32) {
    int ri = ByteIndexOfMask(redMask), gi = ByteIndexOfMask(greenMask), bi = ByteIndexOfMask(blueMask);
    std::size_t sourceRow = static_cast<std::size_t>(width) * 4;
    for (LONG y = height - 1; y >= 0; --y) {
      const BYTE* in = source + static_cast<std::size_t>(y) * sourceRow;
      BYTE* out = RowRaw(y);
      for (LONG x = width - 1; x >= 0; --x) {
        const BYTE* q = in + static_cast<std::size_t>(x) * 4;
        BYTE* p = out + static_cast<std::size_t>(x) * 3;
        BYTE b = q[bi], g = q[gi], r = q[ri];
        p[0] = b;
        p[1] = g;
        p[2] = r;
      }
    }
  }
}

void CDibImage::ExpandTwoToFourBits(BYTE* row, DWORD pixels) {
  if (!row) return;
  for (DWORD n = pixels; n-- > 0;) {
    BYTE value = static_cast<BYTE>((row[n / 4] >> (6 - 2 * (n % 4))) & 3);
    BYTE& target = row[n / 2];
    if (n & 1) target = static_cast<BYTE>((target & 0xF0) | value);
    else target = static_cast<BYTE>((target & 0x0F) | (value << 4));
  }
}

CDibRowIterator::CDibRowIterator(CDibImage* image) : m_image(image) {
  if (image) m_row = image->GetInfo().pixelStart;
}

BYTE* CDibRowIterator::SetY(LONG y) {
  if (m_image && y >= 0 && y <= static_cast<LONG>(m_image->GetHeight())) {
    m_y = y;
    m_row = m_image->GetInfo().pixelStart + static_cast<std::size_t>(y) * m_image->GetRowBytes();
  }
  return m_row;
}

BYTE* CDibRowIterator::PrevRow() {
  if (m_y > 0) SetY(m_y - 1);
  return m_row;
}
