// CDibImageICO: one entry of an icon (or cursor) file: a DIB with its AND
// mask, or an embedded PNG.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/dib_decoders.h"
#include "imaging/dib_file.h"

namespace {

struct IconEntry {
  BYTE width;
  BYTE height;
  DWORD imageOffset;
};

WORD ReadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD ReadDword(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
         (static_cast<DWORD>(p[3]) << 24);
}

}  // namespace

bool CDibImageICO::Decode(CDibFile* file) {
  if (!file) {
    SetError("null file handler");
    return false;
  }
  const LONG start = file->Tell();
  const LONG entryIndex = m_info.frameIndex;
  BYTE header[6];
  // A directory that cannot be read whole is a failure, never garbage.
  if (file->Read(header, 6, 1) != 1) {
    SetError("Read Error");
    return false;
  }
  WORD reserved = HostWord(ReadWord(header)), type = HostWord(ReadWord(header + 2));
  WORD count = HostWord(ReadWord(header + 4));
  if (reserved != 0 || (type != 1 && type != 2)) return false;
  m_info.frameCount = count;
  std::vector<BYTE> directory(static_cast<std::size_t>(count) * 16);
  if (count && file->Read(directory.data(), 16, count) != count) {
    SetError("Read Error");
    return false;
  }
  if (entryIndex < 0 || entryIndex >= count) return false;
  const BYTE* raw = directory.data() + static_cast<std::size_t>(entryIndex) * 16;
  IconEntry entry{raw[0], raw[1], HostDword(ReadDword(raw + 12))};
  const std::int64_t imageStart = static_cast<std::int64_t>(start) + entry.imageOffset;
  const bool pngEntry = entry.width == 0 && entry.height == 0;

  if (m_info.escape == -1) {
    m_header.biWidth = entry.width;
    m_header.biHeight = entry.height;
    if (pngEntry && imageStart <= 0x7FFFFFFF && file->Seek(static_cast<LONG>(imageStart), 0)) {
      CDibImagePNG png;
      png.SetDecodeEscape(-1);
      if (png.Decode(file)) {
        Transfer(png, true);
        m_info.frameCount = count;
      }
    }
    m_info.imageType = DIBIMAGE_FORMAT_ICO;
    return true;
  }

  if (imageStart > 0x7FFFFFFF || !file->Seek(static_cast<LONG>(imageStart), 0)) {
    SetError("Read Error");
    return false;
  }
  if (!pngEntry) return DecodeDibEntry(file, entry.width, entry.height);

  // An embedded PNG: a failed decode is the icon's failure, so that the
  // caller falls back to its default image instead of an empty one.
  CDibImagePNG png;
  bool ok = png.Decode(file);
  if (ok) {
    Transfer(png, true);
    m_info.frameCount = count;
  } else {
    std::memcpy(m_info.lastError, png.GetErrorText(), sizeof(m_info.lastError));
  }
  SetType(DIBIMAGE_FORMAT_ICO);
  return ok;
}

bool CDibImageICO::DecodeDibEntry(CDibFile* file, LONG entryWidth, LONG entryHeight) {
  BITMAPINFOHEADER bih;
  if (file->Read(&bih, sizeof(bih), 1) != 1) {
    SetError("Read Error");
    return false;
  }
  HostHeader(&bih);
  if (!Create(static_cast<DWORD>(entryWidth), static_cast<DWORD>(entryHeight), bih.biBitCount,
              DIBIMAGE_FORMAT_ICO)) {
    return false;
  }
  const LONG width = m_header.biWidth, height = m_header.biHeight;

  // The palette holds at most 256 entries, whatever the header claims;
  // entries beyond what the image keeps are skipped.
  std::uint64_t claimed = bih.biClrUsed ? bih.biClrUsed : m_header.biClrUsed;
  RGBQUAD palette[256];
  std::uint64_t kept = claimed < 256 ? claimed : 256;
  if (kept) {
    std::memset(palette, 0, sizeof(palette));
    file->Read(palette, 4, static_cast<DWORD>(kept));
    CopyPaletteEntries(palette, m_header.biClrUsed);
  }
  if (claimed > kept) {
    std::uint64_t skip = (claimed - kept) * 4;
    if (skip > 0x7FFFFFFF || !file->Seek(static_cast<LONG>(skip), 1)) return false;
  }

  if (bih.biBitCount > 24) {
    std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    std::vector<BYTE> pixels(bytes, 0);
    file->Read(pixels.data(), 1, static_cast<DWORD>(bytes));
    if (!HasAlpha() && !CreateAlpha()) return false;
    const BYTE* p = pixels.data();
    for (LONG y = 0; y < height; ++y) {
      BYTE* row = RowRaw(y);
      for (LONG x = 0; x < width; ++x, p += 4) {
        std::memcpy(row + static_cast<std::size_t>(x) * 3, p, 3);
        SetAlphaAt(x, y, p[3]);
      }
    }
  } else {
    file->Read(m_info.pixelStart, 1, m_header.biSizeImage);
  }

  const std::size_t maskRowBytes = static_cast<std::size_t>((width + 31) / 32) * 4;
  std::vector<BYTE> mask(maskRowBytes * static_cast<std::size_t>(height));
  if (file->Read(mask.data(), 1, static_cast<DWORD>(mask.size())) == mask.size()) {
    ApplyMask(mask.data(), maskRowBytes, bih.biBitCount);
  }
  return true;
}

void CDibImageICO::ApplyMask(const BYTE* mask, std::size_t maskRowBytes, WORD headerBitCount) {
  const LONG width = m_header.biWidth, height = m_header.biHeight;
  const std::size_t maskBytes = maskRowBytes * static_cast<std::size_t>(height);
  bool onlyOpaque = true;
  for (std::size_t i = 0; i < maskBytes && onlyOpaque; ++i) onlyOpaque = mask[i] == 0xFF;
  if (onlyOpaque) {
    SetTransparentIndex(0);
    Invert();
    return;
  }
  auto masked = [&](LONG x, LONG y) {
    return (mask[static_cast<std::size_t>(y) * maskRowBytes + static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
  };
  const bool ownAlpha = HasAlpha();  // a 32-bit entry brought its own alpha
  bool needAlpha = ownAlpha;
  if (!HasAlpha()) CreateAlpha();
  for (LONG y = 0; y < height; ++y)
    for (LONG x = 0; x < width; ++x)
      if (masked(x, y)) {
        SetAlphaAt(x, y, 0);
        needAlpha = true;
      }
  if (!needAlpha) DeleteAlpha();

  // A single masked colour becomes a colour key. Entries with an alpha
  // channel of their own keep it: keying them would throw away their soft
  // edges and make every opaque pixel of that colour transparent.
  if (!ownAlpha) {
    int colours = 0;
    RGBQUAD first{};
    BYTE firstIndex = 0;
    for (LONG y = 0; y < height; ++y)
      for (LONG x = 0; x < width; ++x) {
        if (!masked(x, y)) continue;
        RGBQUAD c = GetPixelColorSafe(x, y, false);
        if (colours == 0) {
          first = c;
          firstIndex = GetPixelIndexSafe(x, y);
          colours = 1;
        } else if (c.rgbBlue != first.rgbBlue || c.rgbGreen != first.rgbGreen || c.rgbRed != first.rgbRed ||
                   c.rgbReserved != first.rgbReserved) {
          ++colours;
        }
      }
    if (colours == 1) {
      SetTransparentColor(first);
      SetTransparentIndex(firstIndex);
      DeleteAlpha();
    }
  }

  if (headerBitCount <= 8 && HasPalette()) {
    bool used[256] = {};
    for (LONG y = 0; y < height; ++y)
      for (LONG x = 0; x < width; ++x) used[GetPixelIndexRaw(x, y)] = true;
    LONG unused = -1;
    for (LONG i = static_cast<LONG>(m_header.biClrUsed) - 1; i >= 0; --i) {
      if (!used[i]) {
        unused = i;
        break;
      }
    }
    if (unused >= 0) {
      bool set = false;
      for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
          if (masked(x, y)) {
            SetPixelIndexSafe(x, y, static_cast<BYTE>(unused));
            set = true;
          }
      if (set) SetTransparentIndex(unused);
    }
    DeleteAlpha();
  }
}
