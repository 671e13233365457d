#pragma once
// Float points and rectangles for the area sampler: a rectangle runs from
// its bottom-left to its top-right corner (y grows upwards).
struct CDibPointF {
  float x = 0;
  float y = 0;
  CDibPointF() = default;
  CDibPointF(float x, float y) : x(x), y(y) {}
};

struct CDibRectF {
  CDibPointF botLeft;
  CDibPointF topRight;

  CDibRectF() = default;
  CDibRectF(float left, float bottom, float right, float top) : botLeft(left, bottom), topRight(right, top) {}
  CDibRectF(const CDibRectF& other) = default;
  CDibRectF& operator=(const CDibRectF& other) = default;

  // The overlap; the zero rectangle when there is none.
  CDibRectF Intersect(const CDibRectF& other) const;
  CDibPointF Center() const;
  float Width() const { return topRight.x - botLeft.x; }
  float Height() const { return topRight.y - botLeft.y; }
  float Surface() const { return Width() * Height(); }
};
