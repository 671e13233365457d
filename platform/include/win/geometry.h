#pragma once
// Points, sizes and rectangles in the platform's layout (32-bit signed
// coordinates; a rectangle holds [left, right) x [top, bottom)), and the
// small rectangle helpers that drawing and window code share.
#include "win/types.h"

struct POINT {
  LONG x;
  LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
  LONG cx;
  LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

WINAPI_EXPORT BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
WINAPI_EXPORT BOOL SetRectEmpty(LPRECT rect);
WINAPI_EXPORT BOOL CopyRect(LPRECT destination, LPCRECT source);
// TRUE when the rectangle has no area (right <= left or bottom <= top).
WINAPI_EXPORT BOOL IsRectEmpty(LPCRECT rect);
WINAPI_EXPORT BOOL EqualRect(LPCRECT a, LPCRECT b);
WINAPI_EXPORT BOOL PtInRect(LPCRECT rect, POINT point);
WINAPI_EXPORT BOOL OffsetRect(LPRECT rect, int dx, int dy);
WINAPI_EXPORT BOOL InflateRect(LPRECT rect, int dx, int dy);
// The overlap of a and b; an empty result becomes (0, 0, 0, 0) and FALSE.
WINAPI_EXPORT BOOL IntersectRect(LPRECT destination, LPCRECT a, LPCRECT b);
// The smallest rectangle holding both; empty inputs are ignored.
WINAPI_EXPORT BOOL UnionRect(LPRECT destination, LPCRECT a, LPCRECT b);
