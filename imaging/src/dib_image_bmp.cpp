// CDibImageBMP: Windows bitmap files and bare DIBs (core, info and longer
// headers; uncompressed, RLE8, RLE4 and bit-field pixels).
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/dib_decoders.h"
#include "imaging/dib_file.h"

namespace {

std::uint64_t DibRowsSize(LONG width, WORD bitCount, LONG height) {
  if (width <= 0 || height <= 0) return 0;
  return (static_cast<std::uint64_t>(bitCount) * static_cast<std::uint64_t>(width) + 31) / 32 * 4 *
         static_cast<std::uint64_t>(height);
}

LONG DpiFromPixelsPerMeter(LONG ppm) { return static_cast<LONG>(std::floor(ppm * 254.0 / 10000.0 + 0.5)); }

}  // namespace

bool CDibImageBMP::Stop(const char* text) {
  SetError(text);
  return m_info.escape == -1 && m_info.imageType == DIBIMAGE_FORMAT_BMP;
}

bool CDibImageBMP::ReadBitmapInfo(CDibFile* file, BITMAPINFOHEADER* header) {
  if (!file || !header) return false;
  BYTE raw[40];
  if (file->Read(raw, sizeof(raw), 1) != 1) return false;
  std::memcpy(header, raw, sizeof(raw));
  HostHeader(header);
  switch (header->biSize) {
    case 12: {
      // OS/2 core header: 16-bit fields, and only 12 of the 40 bytes.
      auto word = [&](int at) { return HostWord(static_cast<WORD>(raw[at] | (raw[at + 1] << 8))); };
      BITMAPINFOHEADER core{};
      core.biSize = 12;
      core.biWidth = word(4);
      core.biHeight = word(6);
      core.biPlanes = word(8);
      core.biBitCount = word(10);
      *header = core;
      file->Seek(-28, 1);
      break;
    }
    case 40:
      break;
    case 64:
      file->Seek(24, 1);
      break;
    default: {
      if (header->biSize <= 40 || header->biPlanes != 1 || header->biClrUsed != 0 ||
          header->biSizeImage < DibRowsSize(header->biWidth, header->biBitCount, header->biHeight)) {
        return false;
      }
      if (header->biCompression == BI_RGB) {
        std::uint64_t skip = header->biSize - 40u;
        if (skip > 0x7FFFFFFF) return false;
        file->Seek(static_cast<LONG>(skip), 1);
      }
      break;
    }
  }
  if (header->biSizeImage == 0) {
    std::uint64_t rows = DibRowsSize(header->biWidth, header->biBitCount,
                                     header->biHeight < 0 ? -static_cast<std::int64_t>(header->biHeight) > 0x7FFFFFFF
                                                                ? 0
                                                                : -header->biHeight
                                                          : header->biHeight);
    header->biSizeImage = rows > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(rows);
  }
  if (header->biClrUsed == 0) header->biClrUsed = header->biBitCount <= 8 ? (1u << header->biBitCount) : 0;
  return true;
}

bool CDibImageBMP::Decode(CDibFile* file) {
  if (!file) {
    SetError("null file handler");
    return false;
  }
  const LONG start = file->Tell();
  BITMAPFILEHEADER fileHeader;
  BYTE raw[14];
  if (file->Read(raw, sizeof(raw), 1) != 1) return Stop("Not a BMP");
  std::memcpy(&fileHeader, raw, sizeof(raw));
  fileHeader.bfType = HostWord(fileHeader.bfType);
  fileHeader.bfOffBits = HostDword(fileHeader.bfOffBits);
  if (fileHeader.bfType != 0x4D42) {
    fileHeader.bfOffBits = 0;
    file->Seek(start, 0);
  }
  BITMAPINFOHEADER bih;
  if (!ReadBitmapInfo(file, &bih) || bih.biHeight == INT32_MIN) return Stop("Error reading BMP info");
  const bool topDown = bih.biHeight < 0;
  if (topDown) bih.biHeight = -bih.biHeight;

  if (m_info.escape == -1) {
    m_header.biWidth = bih.biWidth;
    m_header.biHeight = bih.biHeight;
    m_info.imageType = DIBIMAGE_FORMAT_BMP;
    return Stop("output dimensions returned");
  }
  // A size that the rest of the file could never fill is refused before
  // anything is allocated for it.
  if (bih.biWidth > 0 && !FitsInput(static_cast<DWORD>(bih.biWidth), static_cast<DWORD>(bih.biHeight),
                                    bih.biBitCount, file)) {
    return Stop("DIBIMAGE_MAX_MEMORY exceeded");
  }
  if (!Create(static_cast<DWORD>(bih.biWidth), static_cast<DWORD>(bih.biHeight), bih.biBitCount,
              DIBIMAGE_FORMAT_BMP)) {
    return Stop("");
  }
  SetDpiX(DpiFromPixelsPerMeter(bih.biXPelsPerMeter));
  SetDpiY(DpiFromPixelsPerMeter(bih.biYPelsPerMeter));
  if (m_info.escape) return Stop("Cancelled");

  if (RGBQUAD* palette = GetPaletteStart()) {
    std::uint64_t claimed = bih.biClrUsed ? bih.biClrUsed : (bih.biBitCount <= 8 ? (1u << bih.biBitCount) : 0);
    const std::uint64_t capacity = m_header.biClrUsed;
    // Never more entries than the palette holds; the rest are skipped.
    std::uint64_t count = claimed < capacity ? claimed : capacity;
    const bool core = bih.biSize == 12;
    const std::uint64_t entrySize = core ? 3 : 4;
    if (core) {
      auto* bytes = reinterpret_cast<BYTE*>(palette);
      file->Read(bytes, static_cast<DWORD>(count * 3), 1);
      for (std::uint64_t i = count; i-- > 0;) {
        BYTE b = bytes[3 * i], g = bytes[3 * i + 1], r = bytes[3 * i + 2];
        palette[i] = RGBQUAD{b, g, r, 0};
      }
    } else {
      file->Read(palette, 4, static_cast<DWORD>(count));
      for (std::uint64_t i = 0; i < count; ++i) palette[i].rgbReserved = 0;
    }
    InvalidateNearest();
    if (claimed > count && fileHeader.bfOffBits == 0) {
      std::uint64_t skip = (claimed - count) * entrySize;
      file->Seek(skip > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(skip), 1);
    }
    if (m_info.escape) return Stop("Cancelled");
  }

  auto seekToData = [&] {
    if (fileHeader.bfOffBits) file->Seek(static_cast<LONG>(std::min<std::int64_t>(
                                                 static_cast<std::int64_t>(start) + fileHeader.bfOffBits, 0x7FFFFFFF)),
                                             0);
  };
  DWORD masks[3];
  auto readMasks = [&](DWORD red, DWORD green, DWORD blue) {
    masks[0] = red;
    masks[1] = green;
    masks[2] = blue;
    if (bih.biCompression == BI_BITFIELDS) {
      DWORD m[3] = {0, 0, 0};
      file->Read(m, 4, 3);
      for (int i = 0; i < 3; ++i) masks[i] = HostDword(m[i]);
    }
  };
  switch (bih.biBitCount) {
    case 1:
    case 4:
    case 8:
      seekToData();
      if (bih.biCompression == BI_RGB) file->Read(m_info.pixelStart, 1, m_header.biSizeImage);
      else if (bih.biCompression == BI_RLE8) DecodeRle8(file);
      else if (bih.biCompression == BI_RLE4) DecodeRle4(file);
      else return Stop("compression type not supported");
      break;
    case 16: {
      readMasks(0x7C00, 0x03E0, 0x001F);
      seekToData();
      std::uint64_t bytes = static_cast<std::uint64_t>((bih.biWidth + 1) / 2) * 4 * static_cast<std::uint64_t>(bih.biHeight);
      file->Read(m_info.pixelStart, 1, static_cast<DWORD>(bytes));
      BitfieldsToRgb(m_info.pixelStart, masks[0], masks[1], masks[2], 16);
      break;
    }
    case 24:
      seekToData();
      if (bih.biCompression != BI_RGB) return Stop("unknown compression");
      file->Read(m_info.pixelStart, 1, m_header.biSizeImage);
      break;
    case 32: {
      readMasks(0xFF0000, 0x00FF00, 0x0000FF);
      seekToData();
      if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS) return Stop("unknown compression");
      std::size_t bytes = static_cast<std::size_t>(bih.biWidth) * static_cast<std::size_t>(bih.biHeight) * 4;
      BYTE* buffer = static_cast<BYTE*>(std::calloc(bytes ? bytes : 1, 1));
      if (!buffer) return Stop("can't allocate memory");
      file->Read(buffer, 1, static_cast<DWORD>(bytes));
      if (bih.biCompression == BI_RGB && CreateAlpha()) {
        bool allZero = true;
        for (LONG y = 0; y < bih.biHeight; ++y) {
          for (LONG x = 0; x < bih.biWidth; ++x) {
            BYTE a = buffer[(static_cast<std::size_t>(y) * bih.biWidth + x) * 4 + 3];
            SetAlphaAt(x, y, a);
            allZero = allZero && a == 0;
          }
        }
        if (allZero) InvertAlpha();
      }
      BitfieldsToRgb(buffer, masks[0], masks[1], masks[2], 32);
      std::free(buffer);
      break;
    }
    default:
      break;
  }
  if (topDown) FlipRows(true, true);
  return true;
}

void CDibImageBMP::DecodeRle8(CDibFile* file) {
  const LONG height = m_header.biHeight;
  const LONG rowBytes = static_cast<LONG>(m_info.effWidth);
  long long r = 0, c = 0;  // wide enough that deltas never wrap
  auto put = [&](BYTE value) {
    if (r >= 0 && r < height && c >= 0 && c < rowBytes) RowRaw(static_cast<LONG>(r))[c] = value;
  };
  for (;;) {
    LONG n = file->GetC();
    if (n < 0) return;
    LONG second = file->GetC();
    if (second < 0) return;
    if (n) {
      for (LONG i = 0; i < n && c < rowBytes; ++i, ++c) put(static_cast<BYTE>(second));
      continue;
    }
    switch (second) {
      case 0:
        c = 0;
        ++r;
        break;
      case 1:
        return;
      case 2: {
        LONG dx = file->GetC(), dy = file->GetC();
        if (dx < 0 || dy < 0) return;
        c += dx;
        r += dy;
        break;
      }
      default:
        for (LONG i = 0; i < second; ++i, ++c) {
          LONG v = file->GetC();
          if (v < 0) return;
          put(static_cast<BYTE>(v));
        }
        if (second & 1) file->GetC();
        break;
    }
  }
}

void CDibImageBMP::DecodeRle4(CDibFile* file) {
  const LONG height = m_header.biHeight;
  const LONG rowBytes = static_cast<LONG>(m_info.effWidth);
  long long r = 0, c = 0;
  bool low = false;
  auto put = [&](BYTE nibble) {
    if (r >= 0 && r < height && c >= 0 && c < rowBytes) {
      BYTE& b = RowRaw(static_cast<LONG>(r))[c];
      b = low ? static_cast<BYTE>(b | (nibble & 0x0F)) : static_cast<BYTE>((nibble & 0x0F) << 4);
    }
    if (low) ++c;
    low = !low;
  };
  for (;;) {
    LONG n = file->GetC();
    if (n < 0) return;
    LONG second = file->GetC();
    if (second < 0) return;
    if (n) {
      for (LONG i = 0; i < n; ++i) put(static_cast<BYTE>((i & 1) ? (second & 0x0F) : (second >> 4)));
      continue;
    }
    switch (second) {
      case 0:
        c = 0;
        ++r;
        low = false;
        break;
      case 1:
        return;
      case 2: {
        LONG dx = file->GetC(), dy = file->GetC();
        if (dx < 0 || dy < 0) return;
        c += dx / 2;
        r += dy;
        break;
      }
      default: {
        LONG b = file->GetC();
        if (b < 0) return;
        for (LONG i = 0; i < second; ++i) {
          put(static_cast<BYTE>((i & 1) ? (b & 0x0F) : (b >> 4)));
          if ((i & 1) && i != second - 1) {
            b = file->GetC();
            if (b < 0) return;
          }
        }
        if (((second + 1) / 2) & 1) file->GetC();
        break;
      }
    }
  }
}
