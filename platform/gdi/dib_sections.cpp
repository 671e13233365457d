// DIB sections and compatible bitmaps.
#include <algorithm>
#include <cstring>

#include "bitmap_object.h"
#include "win/dib.h"
#include "win/last_error.h"

namespace quorla {

std::shared_ptr<BitmapObject> BitmapObject::Create(int width, int height, int bitCount, const RGBQUAD* palette,
                                                   int paletteSize) {
  if (width <= 0 || height == 0 || height == INT32_MIN) return nullptr;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return nullptr;
  std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  std::int64_t stride = DibStride(width, bitCount);
  if (stride <= 0 || stride * rows > kMaxBitmapBytes) return nullptr;
  auto* bits = static_cast<BYTE*>(std::calloc(static_cast<size_t>(stride * rows), 1));
  if (!bits) return nullptr;
  std::shared_ptr<BitmapObject> bitmap(new BitmapObject);
  bitmap->bits_ = bits;
  bitmap->stride_ = stride;
  BITMAPINFOHEADER& h = bitmap->header_;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bitCount);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(stride * rows);
  if (bitCount <= 8) {
    int entries = 1 << bitCount;
    bitmap->palette_.assign(entries, RGBQUAD{0, 0, 0, 0});
    if (palette) {
      if (paletteSize > entries || paletteSize <= 0) paletteSize = entries;
      std::memcpy(bitmap->palette_.data(), palette, sizeof(RGBQUAD) * paletteSize);
    } else if (bitCount == 1) {
      bitmap->palette_[1] = RGBQUAD{255, 255, 255, 0};
    }
    h.biClrUsed = static_cast<DWORD>(entries);
  }
  return bitmap;
}

Surface BitmapObject::GetSurface() const {
  return DibSurface(header_, bits_, palette_.empty() ? nullptr : palette_.data(), static_cast<int>(palette_.size()));
}

int BitmapObject::Describe(int size, void* buffer) const {
  BITMAP bm{};
  bm.bmType = 0;
  bm.bmWidth = header_.biWidth;
  bm.bmHeight = header_.biHeight < 0 ? -header_.biHeight : header_.biHeight;
  bm.bmWidthBytes = static_cast<LONG>(stride_);
  bm.bmPlanes = 1;
  bm.bmBitsPixel = header_.biBitCount;
  bm.bmBits = bits_;
  if (buffer && size >= static_cast<int>(sizeof(DIBSECTION))) {
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih = header_;
    return DescribeAs(ds, size, buffer);
  }
  return DescribeAs(bm, size, buffer);
}

}  // namespace quorla

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS || section || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
      info->bmiHeader.biCompression != BI_RGB) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int paletteSize = 0;
  if (h.biBitCount <= 8) {
    DWORD used = h.biClrUsed == 0 ? (1u << h.biBitCount) : h.biClrUsed;
    paletteSize = static_cast<int>(std::min<DWORD>(used, 1u << h.biBitCount));
  }
  auto palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + h.biSize);
  auto bitmap = quorla::BitmapObject::Create(h.biWidth, h.biHeight, h.biBitCount, paletteSize ? palette : nullptr,
                                             paletteSize);
  if (!bitmap) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (bits) *bits = bitmap->Bits();
  return quorla::InsertGdi<HBITMAP>(bitmap);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
  if (width <= 0 || height <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = quorla::BitmapObject::Create(width, -height, 32, nullptr, 0);
  if (!bitmap) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return quorla::InsertGdi<HBITMAP>(bitmap);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width <= 0 || height <= 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = quorla::BitmapObject::Create(width, -height, static_cast<int>(bitsPerPixel), nullptr, 0);
  if (!bitmap) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (bits) {
    // Device bitmaps pad rows to 16 bits; the layer's bitmaps to 32.
    const std::int64_t from = ((static_cast<std::int64_t>(width) * bitsPerPixel + 15) / 16) * 2;
    const std::int64_t to = quorla::DibStride(width, static_cast<int>(bitsPerPixel));
    const size_t used = static_cast<size_t>((static_cast<std::int64_t>(width) * bitsPerPixel + 7) / 8);
    const auto* source = static_cast<const BYTE*>(bits);
    auto* target = static_cast<BYTE*>(bitmap->Bits());
    for (int y = 0; y < height; ++y) std::memcpy(target + y * to, source + y * from, used);
  }
  return quorla::InsertGdi<HBITMAP>(bitmap);
}
