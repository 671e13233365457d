// PatBlt, and the brush painting FillRect uses.
#include "pattern_fill.h"

#include <vector>

#include "gdi_object.h"
#include "region_object.h"
#include "win/blit.h"
#include "win/last_error.h"

namespace quorla {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

// The brush as a function of the device point: a solid colour or a tile.
struct BrushSource {
  std::uint32_t solid = 0;
  const BrushPattern* pattern = nullptr;
  std::uint32_t zero = 0, one = 0;  // monochrome patterns: the DC's text and background colours

  std::uint32_t At(int x, int y) const {
    if (!pattern) return solid;
    int px = x % pattern->width, py = y % pattern->height;
    if (px < 0) px += pattern->width;
    if (py < 0) py += pattern->height;
    std::uint32_t v = pattern->pixels[static_cast<size_t>(py) * pattern->width + px];
    if (pattern->monochrome) return v ? one : zero;
    return v;
  }
};

bool NeedsBrush(DWORD rop) { return rop == PATCOPY || rop == PATINVERT; }

}  // namespace

bool PaintWithBrush(DeviceContext& dc, const QRegion& deviceArea, HBRUSH brush, DWORD rop) {
  if (rop != PATCOPY && rop != PATINVERT && rop != DSTINVERT && rop != BLACKNESS && rop != WHITENESS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  BrushSource source;
  std::shared_ptr<BrushObject> object;
  if (NeedsBrush(rop)) {
    COLORREF colour;
    object = LookUpGdi<BrushObject>(brush);
    if (object && object->brush.lbStyle == BS_NULL) return true;
    if (object && object->pattern) {
      source.pattern = object->pattern.get();
      source.zero = PixelFromColorRef(dc.state.textColor);
      source.one = PixelFromColorRef(dc.state.backColor);
    } else if (BrushColor(brush, &colour)) {
      source.solid = PixelFromColorRef(colour);
    } else {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
  }
  if (deviceArea.isEmpty()) return true;
  if (!dc.HasOwnPixels()) {
    if (rop != PATINVERT && rop != DSTINVERT) {
      SetLastError(ERROR_NOT_SUPPORTED);
      return false;
    }
    dc.InvertArea(deviceArea);
    return true;
  }
  Surface target = dc.GetSurface();
  if (!target.Writable()) return false;
  QRegion area = deviceArea & QRect(0, 0, target.width, target.height);
  if (rop == PATCOPY && !source.pattern) {
    for (const QRect& r : area)
      for (int y = r.top(); y <= r.bottom(); ++y) FillPixels(target, r.left(), y, r.width(), source.solid);
    return true;
  }
  std::vector<std::uint32_t> row;
  for (const QRect& r : area) {
    row.resize(static_cast<size_t>(r.width()));
    for (int y = r.top(); y <= r.bottom(); ++y) {
      ReadPixels(target, r.left(), y, r.width(), row.data());
      for (int i = 0; i < r.width(); ++i) {
        std::uint32_t& d = row[static_cast<size_t>(i)];
        const std::uint32_t keep = d & ~kColourBits;
        switch (rop) {
          case PATCOPY:
            d = source.At(r.left() + i, y) & kColourBits;
            break;
          case PATINVERT:
            d = keep | ((d ^ source.At(r.left() + i, y)) & kColourBits);
            break;
          case DSTINVERT:
            d = keep | (~d & kColourBits);
            break;
          case BLACKNESS:
            d = 0;
            break;
          default:  // WHITENESS
            d = kColourBits;
            break;
        }
      }
      WritePixels(target, r.left(), y, r.width(), row.data());
    }
  }
  return true;
}

}  // namespace quorla

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  auto context = quorla::LookUpDc(dc);
  if (!context) return FALSE;
  long long right = static_cast<long long>(x) + width, bottom = static_cast<long long>(y) + height;
  if (right < INT32_MIN || right > INT32_MAX || bottom < INT32_MIN || bottom > INT32_MAX) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  QRect rect = quorla::RectFromCorners(x, y, static_cast<int>(right), static_cast<int>(bottom));
  QRegion area = context->DrawableRegion() & rect.translated(context->Origin());
  HBRUSH brush = static_cast<HBRUSH>(context->state.brushHandle);
  return quorla::PaintWithBrush(*context, area, brush, rop) ? TRUE : FALSE;
}
