#pragma once
// Points, sizes and rectangles with the framework's conveniences. Each is
// layout-compatible with the platform's own record (POINT, SIZE, RECT), so a
// pointer to one may be handed wherever the platform takes the other.
#include "win/geometry.h"
#include "win/messages.h"

class CSize : public SIZE {
 public:
  constexpr CSize() : SIZE{0, 0} {}
  constexpr CSize(int x, int y) : SIZE{x, y} {}
  constexpr CSize(SIZE size) : SIZE(size) {}

  bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
  bool operator!=(SIZE other) const { return !(*this == other); }
  CSize operator+(SIZE other) const { return CSize(cx + other.cx, cy + other.cy); }
  CSize operator-(SIZE other) const { return CSize(cx - other.cx, cy - other.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  void operator+=(SIZE other) {
    cx += other.cx;
    cy += other.cy;
  }
  void operator-=(SIZE other) {
    cx -= other.cx;
    cy -= other.cy;
  }
};

class CPoint : public POINT {
 public:
  constexpr CPoint() : POINT{0, 0} {}
  constexpr CPoint(int x, int y) : POINT{x, y} {}
  constexpr CPoint(POINT point) : POINT(point) {}
  // A point packed as a message's lParam: two signed 16-bit coordinates.
  explicit constexpr CPoint(LPARAM packed) : POINT{GET_X_LPARAM(packed), GET_Y_LPARAM(packed)} {}

  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  void Offset(POINT by) { Offset(by.x, by.y); }
  void SetPoint(int newX, int newY) {
    x = newX;
    y = newY;
  }

  bool operator==(POINT other) const { return x == other.x && y == other.y; }
  bool operator!=(POINT other) const { return !(*this == other); }
  CPoint operator+(SIZE by) const { return CPoint(x + by.cx, y + by.cy); }
  CPoint operator+(POINT by) const { return CPoint(x + by.x, y + by.y); }
  CPoint operator-(SIZE by) const { return CPoint(x - by.cx, y - by.cy); }
  // The distance between two points.
  CSize operator-(POINT other) const { return CSize(x - other.x, y - other.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
  void operator+=(SIZE by) { Offset(by.cx, by.cy); }
  void operator+=(POINT by) { Offset(by.x, by.y); }
  void operator-=(SIZE by) { Offset(-by.cx, -by.cy); }
  void operator-=(POINT by) { Offset(-by.x, -by.y); }
};

class CRect : public RECT {
 public:
  constexpr CRect() : RECT{0, 0, 0, 0} {}
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr CRect(const RECT& rect) : RECT(rect) {}
  CRect(LPCRECT rect) : RECT(rect ? *rect : RECT{0, 0, 0, 0}) {}
  constexpr CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
  constexpr CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  // No area: the right edge not past the left one, or the bottom not below
  // the top.
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  // The right and bottom edges are outside.
  bool PtInRect(POINT point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  bool EqualRect(LPCRECT other) const {
    return other && left == other->left && top == other->top && right == other->right && bottom == other->bottom;
  }

  void SetRect(int l, int t, int r, int b) { *static_cast<RECT*>(this) = RECT{l, t, r, b}; }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(LPCRECT source) {
    if (source) *static_cast<RECT*>(this) = *source;
  }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void OffsetRect(POINT by) { OffsetRect(by.x, by.y); }
  void OffsetRect(SIZE by) { OffsetRect(by.cx, by.cy); }
  void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
  void MoveToX(int x) { OffsetRect(x - left, 0); }
  void MoveToY(int y) { OffsetRect(0, y - top); }
  void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
  void InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  // Swaps edges so that left <= right and top <= bottom.
  void NormalizeRect();
  // The overlap of a and b; (0, 0, 0, 0) and false when they do not overlap.
  bool IntersectRect(LPCRECT a, LPCRECT b);
  // The smallest rectangle holding both; an empty one is left out.
  bool UnionRect(LPCRECT a, LPCRECT b);

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
  bool operator==(const RECT& other) const { return EqualRect(&other); }
  bool operator!=(const RECT& other) const { return !EqualRect(&other); }
  void operator+=(POINT by) { OffsetRect(by); }
  void operator-=(POINT by) { OffsetRect(-by.x, -by.y); }
  CRect operator+(POINT by) const {
    CRect moved(*this);
    moved.OffsetRect(by);
    return moved;
  }
  CRect operator-(POINT by) const {
    CRect moved(*this);
    moved.OffsetRect(-by.x, -by.y);
    return moved;
  }
  CRect operator&(const RECT& other) const {
    CRect overlap;
    overlap.IntersectRect(this, &other);
    return overlap;
  }
  CRect operator|(const RECT& other) const {
    CRect both;
    both.UnionRect(this, &other);
    return both;
  }
};

static_assert(sizeof(CPoint) == sizeof(POINT) && sizeof(CSize) == sizeof(SIZE) && sizeof(CRect) == sizeof(RECT));
