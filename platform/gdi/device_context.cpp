// Memory device contexts and their state.
#include "device_context.h"

#include "gdi_object.h"
#include "region_object.h"
#include "win/dc.h"
#include "win/last_error.h"
#include "win/regions.h"

namespace quorla {
namespace {

// The 1 x 1 monochrome bitmap every new memory DC starts with.
HGDIOBJ DefaultBitmap() {
  static HGDIOBJ handle = [] {
    auto bitmap = BitmapObject::Create(1, 1, 1, nullptr, 0);
    bitmap->stock = true;
    return InsertHandle(bitmap);
  }();
  return handle;
}

}  // namespace

DeviceContext::DeviceContext() {
  state.bitmapHandle = DefaultBitmap();
  state.bitmap = LookUpGdi<BitmapObject>(state.bitmapHandle);
  state.brushHandle = GetStockObject(WHITE_BRUSH);
  state.fontHandle = GetStockObject(SYSTEM_FONT);
  state.font = LookUpGdi<FontObject>(state.fontHandle);
}

Surface DeviceContext::GetSurface() const { return state.bitmap ? state.bitmap->GetSurface() : Surface{}; }

QRegion DeviceContext::BaseRegion() const {
  Surface s = GetSurface();
  return s.Valid() ? QRegion(0, 0, s.width, s.height) : QRegion();
}

QRegion DeviceContext::DrawableRegion() const {
  QRegion base = BaseRegion();
  return state.clip ? base.intersected(*state.clip) : base;
}

std::shared_ptr<DeviceContext> LookUpDc(HDC dc) {
  auto object = dc ? LookUpHandleAs<DeviceContext>(dc) : nullptr;
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace quorla

using quorla::LookUpDc;

HDC CreateCompatibleDC(HDC) { return static_cast<HDC>(quorla::InsertHandle(std::make_shared<quorla::DeviceContext>())); }

BOOL DeleteDC(HDC dc) {
  if (!LookUpDc(dc)) return FALSE;
  quorla::RemoveHandle(dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  auto context = LookUpDc(dc);
  auto gdi = quorla::LookUpGdi<quorla::GdiObject>(object);
  if (!context || !gdi) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  quorla::DcState& s = context->state;
  if (auto bitmap = std::dynamic_pointer_cast<quorla::BitmapObject>(gdi)) {
    HGDIOBJ previous = s.bitmapHandle;
    s.bitmapHandle = object;
    s.bitmap = bitmap;
    return previous;
  }
  if (auto font = std::dynamic_pointer_cast<quorla::FontObject>(gdi)) {
    HGDIOBJ previous = s.fontHandle;
    s.fontHandle = object;
    s.font = font;
    return previous;
  }
  if (std::dynamic_pointer_cast<quorla::BrushObject>(gdi)) {
    HGDIOBJ previous = s.brushHandle;
    s.brushHandle = object;
    return previous;
  }
  if (auto region = std::dynamic_pointer_cast<quorla::RegionObject>(gdi)) {
    s.clip = region->region;
    return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(quorla::RegionType(region->region)));
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
  auto context = LookUpDc(dc);
  if (!context) return nullptr;
  switch (kind) {
    case OBJ_BITMAP:
      return context->state.bitmapHandle;
    case OBJ_FONT:
      return context->state.fontHandle;
    case OBJ_BRUSH:
      return context->state.brushHandle;
    default:
      return nullptr;
  }
}

int SaveDC(HDC dc) {
  auto context = LookUpDc(dc);
  if (!context) return 0;
  context->saved.push_back(context->state);
  return static_cast<int>(context->saved.size());
}

BOOL RestoreDC(HDC dc, int savedDc) {
  auto context = LookUpDc(dc);
  if (!context) return FALSE;
  int depth = static_cast<int>(context->saved.size());
  int target = savedDc < 0 ? depth + savedDc + 1 : savedDc;  // the level to restore
  if (savedDc == 0 || target < 1 || target > depth) return FALSE;
  context->state = context->saved[target - 1];
  context->saved.resize(target - 1);
  return TRUE;
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  auto context = LookUpDc(dc);
  if (!context) return FALSE;
  if (previous) *previous = context->state.viewportOrigin;
  context->state.viewportOrigin = POINT{x, y};
  return TRUE;
}

BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) {
  auto context = LookUpDc(dc);
  if (!context || !origin) return FALSE;
  *origin = context->state.viewportOrigin;
  return TRUE;
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
  auto context = LookUpDc(dc);
  if (!context) return FALSE;
  POINT& o = context->state.viewportOrigin;
  if (previous) *previous = o;
  o = POINT{o.x + dx, o.y + dy};
  return TRUE;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  auto context = LookUpDc(dc);
  if (!context) return CLR_INVALID;
  COLORREF previous = context->state.textColor;
  context->state.textColor = color & 0x00FFFFFFu;
  return previous;
}

COLORREF GetTextColor(HDC dc) {
  auto context = LookUpDc(dc);
  return context ? context->state.textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  auto context = LookUpDc(dc);
  if (!context) return CLR_INVALID;
  COLORREF previous = context->state.backColor;
  context->state.backColor = color & 0x00FFFFFFu;
  return previous;
}

COLORREF GetBkColor(HDC dc) {
  auto context = LookUpDc(dc);
  return context ? context->state.backColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
  auto context = LookUpDc(dc);
  if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = context->state.backMode;
  context->state.backMode = mode;
  return previous;
}

int GetBkMode(HDC dc) {
  auto context = LookUpDc(dc);
  return context ? context->state.backMode : 0;
}

int GetDeviceCaps(HDC dc, int index) {
  auto context = LookUpDc(dc);
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case BITSPIXEL:
      return context ? context->GetSurface().bitCount : 32;
    case HORZRES:
      return context ? context->GetSurface().width : 0;
    case VERTRES:
      return context ? context->GetSurface().height : 0;
    default:
      return 0;
  }
}
