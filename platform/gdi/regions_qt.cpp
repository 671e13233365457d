// Regions over QRegion, and the clipping region of a device context.
#include <algorithm>
#include <cmath>

#include "device_context.h"
#include "region_object.h"
#include "win/last_error.h"
#include "win/regions.h"

namespace quorla {

int RegionType(const QRegion& region) {
  if (region.isEmpty()) return NULLREGION;
  return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRect ToQRect(const RECT& r) { return RectFromCorners(r.left, r.top, r.right, r.bottom); }

RECT ToRect(const QRect& r) {
  if (r.isEmpty()) return RECT{0, 0, 0, 0};
  return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect RectFromCorners(int left, int top, int right, int bottom) {
  long long l = std::min(left, right), r = std::max(left, right);
  long long t = std::min(top, bottom), b = std::max(top, bottom);
  // QRect keeps width and height in int: stay inside that range.
  r = std::min<long long>(r, l + INT32_MAX);
  b = std::min<long long>(b, t + INT32_MAX);
  return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l), static_cast<int>(b - t));
}

namespace {

std::shared_ptr<RegionObject> LookUpRegion(HRGN region) {
  auto object = LookUpGdi<RegionObject>(region);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

HRGN NewRegion(QRegion region) { return InsertGdi<HRGN>(std::make_shared<RegionObject>(std::move(region))); }

// Clipping helpers: the region a clip operation starts from.
QRegion CurrentClip(const DeviceContext& dc) { return dc.state.clip ? *dc.state.clip : dc.BaseRegion(); }

int ClipResult(const DeviceContext& dc) { return RegionType(dc.DrawableRegion()); }

}  // namespace
}  // namespace quorla

using quorla::LookUpDc;
using quorla::LookUpRegion;
using quorla::RegionType;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return quorla::NewRegion(QRegion(quorla::RectFromCorners(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
  // The shape fits inside (left, top)-(right - 1, bottom - 1): the right
  // column and the bottom row of the given box stay out, so a w x h window is
  // covered by (0, 0, w + 1, h + 1).
  QRect given = quorla::RectFromCorners(left, top, right, bottom);
  if (given.width() < 2 || given.height() < 2) return quorla::NewRegion(QRegion());
  QRect box(given.left(), given.top(), given.width() - 1, given.height() - 1);
  double rx = std::min<long long>(std::abs(static_cast<long long>(width)), box.width()) / 2.0;
  double ry = std::min<long long>(std::abs(static_cast<long long>(height)), box.height()) / 2.0;
  if (rx < 1 || ry < 1) return quorla::NewRegion(QRegion(box));
  int rows = box.height();
  // How far a row is pulled in from each side by the corner ellipses. The
  // row's distance is taken from the nearer of the top and bottom edges and
  // the same inset is used on both sides, so the four corners are exact
  // mirror images of each other.
  auto inset = [&](int y) -> long long {
    double fromEdge = std::min(y + 0.5, rows - y - 0.5);
    if (fromEdge >= ry) return 0;
    double dy = (ry - fromEdge) / ry;
    return std::llround(rx - rx * std::sqrt(std::max(0.0, 1.0 - dy * dy)));
  };
  QRegion region;
  long long boxLeft = box.left(), boxRight = boxLeft + box.width();
  for (int y = 0; y < rows;) {
    long long in = inset(y);
    int run = 1;  // rows with the same span go into one rectangle
    while (y + run < rows && inset(y + run) == in) ++run;
    long long l = boxLeft + in, r = boxRight - in;
    if (r > l) region += QRect(static_cast<int>(l), box.top() + y, static_cast<int>(r - l), run);
    y += run;
  }
  return quorla::NewRegion(region);
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  auto dest = LookUpRegion(destination);
  auto a = LookUpRegion(source1);
  if (!dest || !a) return ERROR;
  if (mode == RGN_COPY) {
    dest->region = a->region;
    return RegionType(dest->region);
  }
  auto b = LookUpRegion(source2);
  if (!b) return ERROR;
  switch (mode) {
    case RGN_AND:
      dest->region = a->region.intersected(b->region);
      break;
    case RGN_OR:
      dest->region = a->region.united(b->region);
      break;
    case RGN_XOR:
      dest->region = a->region.xored(b->region);
      break;
    case RGN_DIFF:
      dest->region = a->region.subtracted(b->region);
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
  }
  return RegionType(dest->region);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  auto r = LookUpRegion(region);
  if (!r) return FALSE;
  r->region = QRegion(quorla::RectFromCorners(left, top, right, bottom));
  return TRUE;
}

int OffsetRgn(HRGN region, int dx, int dy) {
  auto r = LookUpRegion(region);
  if (!r) return ERROR;
  r->region.translate(dx, dy);
  return RegionType(r->region);
}

int GetRgnBox(HRGN region, LPRECT box) {
  auto r = LookUpRegion(region);
  if (!r || !box) return ERROR;
  *box = quorla::ToRect(r->region.boundingRect());
  return RegionType(r->region);
}

BOOL PtInRegion(HRGN region, int x, int y) {
  auto r = LookUpRegion(region);
  return r && r->region.contains(QPoint(x, y));
}

BOOL EqualRgn(HRGN a, HRGN b) {
  auto ra = LookUpRegion(a);
  auto rb = LookUpRegion(b);
  return ra && rb && ra->region == rb->region;
}

int SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
  auto context = LookUpDc(dc);
  if (!context) return ERROR;
  if (!region) {
    if (mode != RGN_COPY) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
    }
    context->state.clip.reset();
    return quorla::ClipResult(*context);
  }
  auto r = LookUpRegion(region);
  if (!r) return ERROR;
  QRegion current = quorla::CurrentClip(*context);
  switch (mode) {
    case RGN_COPY:
      context->state.clip = r->region;
      break;
    case RGN_AND:
      context->state.clip = current.intersected(r->region);
      break;
    case RGN_OR:
      context->state.clip = current.united(r->region);
      break;
    case RGN_XOR:
      context->state.clip = current.xored(r->region);
      break;
    case RGN_DIFF:
      context->state.clip = current.subtracted(r->region);
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
  }
  return quorla::ClipResult(*context);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  auto context = LookUpDc(dc);
  if (!context) return ERROR;
  QRect rect = quorla::RectFromCorners(left, top, right, bottom).translated(context->Origin());
  context->state.clip = quorla::CurrentClip(*context).subtracted(QRegion(rect));
  return quorla::ClipResult(*context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  auto context = LookUpDc(dc);
  if (!context) return ERROR;
  QRect rect = quorla::RectFromCorners(left, top, right, bottom).translated(context->Origin());
  context->state.clip = quorla::CurrentClip(*context).intersected(QRegion(rect));
  return quorla::ClipResult(*context);
}

int GetClipBox(HDC dc, LPRECT box) {
  auto context = LookUpDc(dc);
  if (!context || !box) return ERROR;
  QRegion drawable = context->DrawableRegion();
  *box = quorla::ToRect(drawable.boundingRect().translated(-context->Origin()));
  return RegionType(drawable);
}

int GetClipRgn(HDC dc, HRGN region) {
  auto context = LookUpDc(dc);
  auto r = LookUpRegion(region);
  if (!context || !r) return -1;
  if (!context->state.clip) return 0;
  r->region = *context->state.clip;
  return 1;
}
