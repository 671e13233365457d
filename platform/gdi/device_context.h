#pragma once
// A device context: drawing state over a surface. A memory DC's surface is
// the bitmap selected into it; other kinds of DC (window DCs) derive from
// DeviceContext and supply their own surface and base region, and every
// drawing function works on them unchanged.
//
// Coordinates: logical = device - viewport origin. The clipping region is
// kept in device coordinates; what can be drawn is the base region
// intersected with it. A DC is used by one thread at a time; it holds
// strong references to its selected objects, so deleting their handles
// never pulls memory from under it.
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "bitmap_object.h"
#include "font_object.h"
#include "kernel_object.h"
#include "surface.h"
#include "win/dc.h"

namespace quorla {

struct DcState {
  HGDIOBJ bitmapHandle = nullptr;
  std::shared_ptr<BitmapObject> bitmap;
  HGDIOBJ brushHandle = nullptr;
  HGDIOBJ fontHandle = nullptr;
  std::shared_ptr<FontObject> font;
  std::optional<QRegion> clip;  // device coordinates; none: no clipping
  POINT viewportOrigin{0, 0};
  COLORREF textColor = 0;
  COLORREF backColor = 0xFFFFFF;
  int backMode = OPAQUE;
  int stretchMode = 1;  // BLACKONWHITE
};

class DeviceContext : public KernelObject {
 public:
  DeviceContext();
  // The memory this DC draws into; invalid when nothing drawable is there.
  virtual Surface GetSurface() const;
  // Every pixel of the surface that this DC may reach, before clipping.
  virtual QRegion BaseRegion() const;

  // Base region intersected with the clipping region (device coordinates).
  QRegion DrawableRegion() const;

  // A DC whose pixels are not the layer's (the screen's) draws nothing
  // through its surface; it can only invert areas, which it keeps as it
  // sees fit. Other DCs invert their surface's pixels.
  virtual bool HasOwnPixels() const { return true; }
  virtual void InvertArea(const QRegion& deviceArea) { (void)deviceArea; }
  QPoint Origin() const { return QPoint(state.viewportOrigin.x, state.viewportOrigin.y); }

  DcState state;
  std::vector<DcState> saved;
};

std::shared_ptr<DeviceContext> LookUpDc(HDC dc);

}  // namespace quorla
