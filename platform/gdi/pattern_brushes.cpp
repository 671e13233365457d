// CreatePatternBrush: a brush holding a copy of a bitmap's pixels.
#include "bitmap_object.h"
#include "gdi_object.h"
#include "win/last_error.h"

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto object = quorla::LookUpGdi<quorla::BitmapObject>(bitmap);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  quorla::Surface surface = object->GetSurface();
  if (!surface.Valid()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto pattern = std::make_shared<quorla::BrushPattern>();
  pattern->width = surface.width;
  pattern->height = surface.height;
  pattern->monochrome = surface.bitCount == 1;
  pattern->pixels.resize(static_cast<size_t>(surface.width) * static_cast<size_t>(surface.height));
  for (int y = 0; y < surface.height; ++y) {
    std::uint32_t* row = pattern->pixels.data() + static_cast<size_t>(y) * surface.width;
    if (pattern->monochrome) {
      // The bit itself, whatever colours the bitmap's palette gives it.
      const BYTE* bits = surface.Row(y);
      for (int x = 0; x < surface.width; ++x) row[x] = (bits[x >> 3] >> (7 - (x & 7))) & 1u;
    } else {
      quorla::ReadPixels(surface, 0, y, surface.width, row);
      for (int x = 0; x < surface.width; ++x) row[x] &= 0x00FFFFFFu;
    }
  }
  LOGBRUSH description{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)};
  return quorla::InsertGdi<HBRUSH>(std::make_shared<quorla::BrushObject>(description, std::move(pattern)));
}
