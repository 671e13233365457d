// Rectangle helpers. Arithmetic is done in 64 bits so that rectangles near
// the edges of the coordinate range neither wrap nor trap.
#include <algorithm>

#include "win/geometry.h"

namespace {

LONG Clamp32(long long value) {
  return static_cast<LONG>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT destination, LPCRECT source) {
  if (!destination || !source) return FALSE;
  *destination = *source;
  return TRUE;
}

BOOL IsRectEmpty(LPCRECT rect) { return !rect || rect->right <= rect->left || rect->bottom <= rect->top; }

BOOL EqualRect(LPCRECT a, LPCRECT b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(LPCRECT rect, POINT point) {
  if (!rect) return FALSE;
  return point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left = Clamp32(static_cast<long long>(rect->left) + dx);
  rect->right = Clamp32(static_cast<long long>(rect->right) + dx);
  rect->top = Clamp32(static_cast<long long>(rect->top) + dy);
  rect->bottom = Clamp32(static_cast<long long>(rect->bottom) + dy);
  return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left = Clamp32(static_cast<long long>(rect->left) - dx);
  rect->right = Clamp32(static_cast<long long>(rect->right) + dx);
  rect->top = Clamp32(static_cast<long long>(rect->top) - dy);
  rect->bottom = Clamp32(static_cast<long long>(rect->bottom) + dy);
  return TRUE;
}

BOOL IntersectRect(LPRECT destination, LPCRECT a, LPCRECT b) {
  if (!destination || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(destination);
    return FALSE;
  }
  *destination = r;
  return TRUE;
}

BOOL UnionRect(LPRECT destination, LPCRECT a, LPCRECT b) {
  if (!destination || !a || !b) return FALSE;
  if (IsRectEmpty(a)) {
    if (IsRectEmpty(b)) {
      SetRectEmpty(destination);
      return FALSE;
    }
    *destination = *b;
    return TRUE;
  }
  if (IsRectEmpty(b)) {
    *destination = *a;
    return TRUE;
  }
  *destination = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                      std::max(a->bottom, b->bottom)};
  return TRUE;
}
