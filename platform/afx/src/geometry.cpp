#include "afx/geometry.h"

#include <algorithm>
#include <utility>

void CRect::NormalizeRect() {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

bool CRect::IntersectRect(LPCRECT a, LPCRECT b) {
  // a or b may be this rectangle: read both before writing.
  CRect overlap;
  if (a && b) {
    overlap.SetRect(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                    std::min(a->bottom, b->bottom));
  }
  if (overlap.IsRectEmpty()) overlap.SetRectEmpty();
  *this = overlap;
  return !IsRectEmpty();
}

bool CRect::UnionRect(LPCRECT a, LPCRECT b) {
  const bool aEmpty = !a || CRect(*a).IsRectEmpty();
  const bool bEmpty = !b || CRect(*b).IsRectEmpty();
  if (aEmpty && bEmpty) {
    SetRectEmpty();
    return false;
  }
  if (aEmpty) {
    *this = *b;
  } else if (bEmpty) {
    *this = *a;
  } else {
    *this = CRect(std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                  std::max(a->bottom, b->bottom));
  }
  return true;
}
