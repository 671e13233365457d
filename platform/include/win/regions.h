#pragma once
// Regions (sets of pixels made of rectangles) and the clipping region of a
// device context. Region coordinates are device coordinates; the clip
// rectangle helpers take logical ones (moved by the viewport origin).
#include "win/gdi_objects.h"

// Region types, the result of most region operations.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_ERROR = ERROR;

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

WINAPI_EXPORT HRGN CreateRectRgn(int left, int top, int right, int bottom);
WINAPI_EXPORT HRGN CreateRectRgnIndirect(const RECT* rect);
// A rectangle whose corners are rounded by an ellipse of width x height,
// fitted to (left, top)-(right - 1, bottom - 1): the right column and the
// bottom row of the box are not part of it.
WINAPI_EXPORT HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
// destination = source1 <mode> source2 (source2 is unused for RGN_COPY).
WINAPI_EXPORT int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
WINAPI_EXPORT BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
WINAPI_EXPORT int OffsetRgn(HRGN region, int dx, int dy);
WINAPI_EXPORT int GetRgnBox(HRGN region, LPRECT box);
WINAPI_EXPORT BOOL PtInRegion(HRGN region, int x, int y);
WINAPI_EXPORT BOOL EqualRgn(HRGN a, HRGN b);

// Clipping. A DC without a clipping region draws everywhere on its surface.
WINAPI_EXPORT int SelectClipRgn(HDC dc, HRGN region);
// Combines the clipping region with the region (null with RGN_COPY removes
// clipping). Without a clipping region the current one counts as the whole
// surface.
WINAPI_EXPORT int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
WINAPI_EXPORT int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
WINAPI_EXPORT int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
// The smallest rectangle around what can be drawn, in logical coordinates.
WINAPI_EXPORT int GetClipBox(HDC dc, LPRECT box);
// Copies the clipping region into region: 1 when there is one, 0 when there
// is none, -1 on failure.
WINAPI_EXPORT int GetClipRgn(HDC dc, HRGN region);
