#include <algorithm>

#include "imaging/dib_geometry.h"

CDibRectF CDibRectF::Intersect(const CDibRectF& other) const {
  CDibRectF r(std::max(botLeft.x, other.botLeft.x), std::max(botLeft.y, other.botLeft.y),
              std::min(topRight.x, other.topRight.x), std::min(topRight.y, other.topRight.y));
  if (r.topRight.x < r.botLeft.x || r.topRight.y < r.botLeft.y) return CDibRectF();
  return r;
}

CDibPointF CDibRectF::Center() const {
  return CDibPointF((botLeft.x + topRight.x) / 2, (botLeft.y + topRight.y) / 2);
}
