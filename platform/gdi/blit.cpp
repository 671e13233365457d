// Copies onto device contexts: BitBlt, StretchBlt, SetDIBitsToDevice,
// StretchDIBits, AlphaBlend, and FillRect.
#include <algorithm>

#include "device_context.h"
#include "gdi_object.h"
#include "pattern_fill.h"
#include "pixel_transfer.h"
#include "region_object.h"
#include "win/blit.h"
#include "win/last_error.h"

namespace quorla {
namespace {

bool BadRop(DWORD rop) {
  if (rop == SRCCOPY) return false;
  SetLastError(ERROR_INVALID_PARAMETER);
  return true;
}

TransferOptions StretchOptions(const DeviceContext& dc, int width, int height, int sourceWidth, int sourceHeight) {
  TransferOptions options;
  bool shrinks = std::abs(static_cast<long long>(sourceWidth)) > std::abs(static_cast<long long>(width)) ||
                 std::abs(static_cast<long long>(sourceHeight)) > std::abs(static_cast<long long>(height));
  options.average = dc.state.stretchMode == HALFTONE && shrinks;
  return options;
}

// A packed DIB as a source surface. Its palette (8 bits or fewer) follows
// the header; a colour count beyond what the bit count allows is cut.
Surface PackedDibSurface(const BITMAPINFO* info, const void* bits, UINT usage, int firstLine = 0, int lines = -1) {
  if (!info || !bits || usage != DIB_RGB_COLORS || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return {};
  BITMAPINFOHEADER header = info->bmiHeader;
  int paletteSize = 0;
  if (header.biBitCount <= 8 && header.biBitCount > 0) {
    DWORD limit = 1u << header.biBitCount;
    paletteSize = static_cast<int>(header.biClrUsed == 0 ? limit : std::min(header.biClrUsed, limit));
  }
  const auto* palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + header.biSize);
  Surface full = DibSurface(header, bits, paletteSize ? palette : nullptr, paletteSize);
  if (!full.Valid() || lines < 0) return full;
  // Only lines [firstLine, firstLine + lines) are in memory, starting at bits.
  Surface band = full;
  band.height = std::min(lines, full.height - std::min(firstLine, full.height));
  if (band.height <= 0) return {};
  if (full.pitch < 0) band.top = static_cast<BYTE*>(const_cast<void*>(bits)) + (-full.pitch) * (band.height - 1);
  else band.top = static_cast<BYTE*>(const_cast<void*>(bits));
  return band;
}

}  // namespace
}  // namespace quorla

using quorla::LookUpDc;

int SetStretchBltMode(HDC dc, int mode) {
  auto context = LookUpDc(dc);
  if (!context || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  int previous = context->state.stretchMode;
  context->state.stretchMode = mode;
  return previous;
}

int GetStretchBltMode(HDC dc) {
  auto context = LookUpDc(dc);
  return context ? context->state.stretchMode : 0;
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  return StretchBlt(destination, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
  auto to = LookUpDc(destination);
  auto from = LookUpDc(source);
  if (!to || !from || quorla::BadRop(rop)) return FALSE;
  QPoint o = from->Origin();
  quorla::TransferMapping m{x, y, width, height, sourceX + o.x(), sourceY + o.y(), sourceWidth, sourceHeight};
  return quorla::TransferPixels(*to, from->GetSurface(), m,
                                quorla::StretchOptions(*to, width, height, sourceWidth, sourceHeight));
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  auto context = LookUpDc(dc);
  if (!context || !info || lines == 0 || width > INT32_MAX || height > INT32_MAX || startScan > INT32_MAX) return 0;
  int first = static_cast<int>(startScan);
  int count = static_cast<int>(std::min<UINT>(lines, INT32_MAX));
  quorla::Surface band = quorla::PackedDibSurface(info, bits, usage, first, count);
  if (!band.Valid()) return 0;
  int fullHeight = std::abs(info->bmiHeader.biHeight);
  bool bottomUp = info->bmiHeader.biHeight > 0;
  // The band's top row in the whole DIB's top-down numbering.
  long long bandTop = bottomUp ? static_cast<long long>(fullHeight) - first - band.height : first;
  long long sourceTop = bottomUp ? static_cast<long long>(fullHeight) - sourceY - static_cast<long long>(height)
                                 : sourceY;
  long long top = sourceTop - bandTop;
  if (top < INT32_MIN / 2 || top > INT32_MAX / 2) return 0;
  quorla::TransferMapping m{x, y, static_cast<int>(width), static_cast<int>(height), sourceX, static_cast<int>(top),
                            static_cast<int>(width), static_cast<int>(height)};
  if (!quorla::TransferPixels(*context, band, m, quorla::TransferOptions{})) return 0;
  return band.height;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  auto context = LookUpDc(dc);
  if (!context || quorla::BadRop(rop)) return 0;
  quorla::Surface source = quorla::PackedDibSurface(info, bits, usage);
  if (!source.Valid()) return 0;
  bool bottomUp = info->bmiHeader.biHeight > 0;
  long long top = bottomUp ? static_cast<long long>(source.height) - sourceY - sourceHeight : sourceY;
  if (top < INT32_MIN / 2 || top > INT32_MAX / 2) return 0;
  quorla::TransferMapping m{x, y, width, height, sourceX, static_cast<int>(top), sourceWidth, sourceHeight};
  if (!quorla::TransferPixels(*context, source, m,
                              quorla::StretchOptions(*context, width, height, sourceWidth, sourceHeight))) {
    return 0;
  }
  return std::abs(sourceHeight);
}

BOOL AlphaBlend(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend) {
  auto to = LookUpDc(destination);
  auto from = LookUpDc(source);
  if (!to || !from) return FALSE;
  quorla::Surface surface = from->GetSurface();
  QPoint o = from->Origin();
  long long sx = static_cast<long long>(sourceX) + o.x(), sy = static_cast<long long>(sourceY) + o.y();
  bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
  if (blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0 ||
      sx < 0 || sy < 0 || sx + sourceWidth > surface.width || sy + sourceHeight > surface.height ||
      (perPixel && surface.bitCount != 32)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  quorla::TransferOptions options;
  options.kind = perPixel ? quorla::TransferKind::kPremultiplied : quorla::TransferKind::kConstantMix;
  options.constantAlpha = blend.SourceConstantAlpha;
  quorla::TransferMapping m{x, y, width, height, static_cast<int>(sx), static_cast<int>(sy), sourceWidth, sourceHeight};
  return quorla::TransferPixels(*to, surface, m, options);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto context = LookUpDc(dc);
  if (!context || !rect) return 0;
  auto object = quorla::LookUpGdi<quorla::BrushObject>(brush);
  COLORREF color;
  if (!(object && object->pattern) && !quorla::BrushColor(brush, &color)) return 0;
  if (!context->GetSurface().Writable()) return 0;
  QRect area = quorla::RectFromCorners(rect->left, rect->top, rect->right, rect->bottom);
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  QRegion region = context->DrawableRegion().intersected(area.translated(context->Origin()));
  return quorla::PaintWithBrush(*context, region, brush, PATCOPY) ? 1 : 0;
}
