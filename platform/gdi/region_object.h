#pragma once
// A region: a set of device pixels held as a QRegion (which needs no Qt
// application). Regions are used by one thread at a time.
#include <QRegion>

#include "gdi_object.h"

namespace quorla {

class RegionObject final : public GdiObject {
 public:
  explicit RegionObject(QRegion region) : region(std::move(region)) {}
  int Describe(int size, void* buffer) const override { return 0; }
  QRegion region;
};

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionType(const QRegion& region);
QRect ToQRect(const RECT& r);
RECT ToRect(const QRect& r);
// A rectangle from platform corners (right and bottom exclusive), normalised
// so that swapped corners still give the same pixels.
QRect RectFromCorners(int left, int top, int right, int bottom);

}  // namespace quorla
