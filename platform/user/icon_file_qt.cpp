// Icon files: the directory, and bitmap or PNG images into QImage.
#include <QByteArray>
#include <cstdlib>
#include <cstring>

#include "icon_file.h"

namespace quorla {
namespace {

constexpr int kMaxSide = 1024;  // larger than any icon; bounds what a broken file can make us allocate

std::uint32_t Read16(const BYTE* p) { return p[0] | (p[1] << 8); }
std::uint32_t Read32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }

bool IsPng(const BYTE* p, std::size_t size) {
  static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return size >= 8 && std::memcmp(p, kSignature, 8) == 0;
}

QImage DecodePng(const BYTE* p, std::size_t size) {
  if (size > static_cast<std::size_t>(INT32_MAX)) return QImage();
  QImage image = QImage::fromData(p, static_cast<int>(size), "PNG");
  if (image.isNull() || image.width() > kMaxSide || image.height() > kMaxSide) return QImage();
  return image.convertToFormat(QImage::Format_ARGB32);
}

std::size_t Stride(std::size_t width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// A bitmap image: BITMAPINFOHEADER with the height of colour and mask
// together, the palette, the colour rows and the mask rows, both bottom-up.
QImage DecodeBitmap(const BYTE* p, std::size_t size) {
  if (size < 40) return QImage();
  std::uint32_t headerSize = Read32(p);
  auto width = static_cast<std::int32_t>(Read32(p + 4));
  auto doubleHeight = static_cast<std::int32_t>(Read32(p + 8));
  int bitCount = static_cast<int>(Read16(p + 14));
  std::uint32_t compression = Read32(p + 16);
  std::uint32_t colorsUsed = Read32(p + 32);
  if (headerSize < 40 || headerSize > size || compression != 0) return QImage();
  if (width < 1 || width > kMaxSide || doubleHeight < 2 || doubleHeight > 2 * kMaxSide) return QImage();
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return QImage();
  const int height = doubleHeight / 2;

  std::size_t paletteSize = 0;
  if (bitCount <= 8) {
    std::size_t limit = std::size_t(1) << bitCount;
    paletteSize = colorsUsed == 0 ? limit : std::min<std::size_t>(colorsUsed, limit);
  }
  const BYTE* palette = p + headerSize;
  std::size_t colorOffset = headerSize + paletteSize * 4;
  std::size_t colorStride = Stride(width, bitCount), maskStride = Stride(width, 1);
  std::size_t maskOffset = colorOffset + colorStride * height;
  if (maskOffset > size) return QImage();
  // Some writers leave out the mask of 32-bit images, whose alpha is enough.
  bool hasMask = maskOffset + maskStride * height <= size;
  if (!hasMask && bitCount != 32) return QImage();

  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) return QImage();
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const BYTE* row = p + colorOffset + colorStride * (height - 1 - y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (bitCount == 32) {
        const BYTE* px = row + 4 * x;
        out[x] = qRgba(px[2], px[1], px[0], px[3]);
        anyAlpha = anyAlpha || px[3] != 0;
      } else if (bitCount == 24) {
        const BYTE* px = row + 3 * x;
        out[x] = qRgba(px[2], px[1], px[0], 255);
      } else {
        int perByte = 8 / bitCount;
        int shift = 8 - bitCount * (x % perByte + 1);
        std::size_t index = (row[x / perByte] >> shift) & ((1 << bitCount) - 1);
        if (index >= paletteSize) return QImage();
        const BYTE* c = palette + 4 * index;
        out[x] = qRgba(c[2], c[1], c[0], 255);
      }
    }
  }
  // Without alpha in the colours, the mask says which pixels are clear.
  if (hasMask && (bitCount != 32 || !anyAlpha)) {
    for (int y = 0; y < height; ++y) {
      const BYTE* row = p + maskOffset + maskStride * (height - 1 - y);
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x) {
        bool clear = (row[x / 8] >> (7 - x % 8)) & 1;
        out[x] = clear ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
      }
    }
  }
  return image;
}

}  // namespace

std::vector<IconEntry> ReadIconDirectory(const BYTE* data, std::size_t size) {
  if (!data || size < 6 || Read16(data) != 0 || Read16(data + 2) != 1) return {};
  std::size_t count = Read16(data + 4);
  if (count == 0 || 6 + 16 * count > size) return {};
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const BYTE* e = data + 6 + 16 * i;
    IconEntry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    entry.bitCount = static_cast<int>(Read16(e + 6));
    entry.size = Read32(e + 8);
    entry.offset = Read32(e + 12);
    if (entry.size == 0 || entry.offset > size || entry.size > size - entry.offset) return {};
    entries.push_back(entry);
  }
  return entries;
}

std::size_t NearestIconEntry(const std::vector<IconEntry>& entries, int width, int height) {
  std::size_t best = 0;
  auto distance = [&](const IconEntry& e) {
    return std::llabs(static_cast<long long>(e.width) - width) + std::llabs(static_cast<long long>(e.height) - height);
  };
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const IconEntry &a = entries[i], &b = entries[best];
    long long da = distance(a), db = distance(b);
    bool better = da < db || (da == db && (a.bitCount > b.bitCount ||
                                           (a.bitCount == b.bitCount && a.width * a.height > b.width * b.height)));
    if (better) best = i;
  }
  return best;
}

QImage DecodeIconImage(const BYTE* data, std::size_t size, const IconEntry& entry) {
  if (!data || entry.offset > size || entry.size > size - entry.offset) return QImage();
  const BYTE* p = data + entry.offset;
  return IsPng(p, entry.size) ? DecodePng(p, entry.size) : DecodeBitmap(p, entry.size);
}

}  // namespace quorla
