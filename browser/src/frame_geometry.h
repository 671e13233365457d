#pragma once
// The geometry of the main window's own frame: which zone a point lies in,
// the cursor each zone shows, and where a drag puts the edges. The window
// draws its caption and borders itself; the platform only moves it by the
// caption.
#include "win/gdi_objects.h"
#include "win/geometry.h"
#include "win/types.h"

// Zone codes: the platform's hit-test values.
constexpr int kHitClient = 1;        // HTCLIENT
constexpr int kHitCaption = 2;       // HTCAPTION: drag to move
constexpr int kHitMenuSpot = 5;      // the logo: the window menu
constexpr int kHitLeft = 10;         // HTLEFT ... HTBOTTOMRIGHT
constexpr int kHitRight = 11;
constexpr int kHitTop = 12;
constexpr int kHitTopLeft = 13;
constexpr int kHitTopRight = 14;
constexpr int kHitBottom = 15;
constexpr int kHitBottomLeft = 16;
constexpr int kHitBottomRight = 17;

// The smallest size a drag of the edges leaves.
constexpr int kMinFrameWidth = 910;
constexpr int kMinFrameHeight = 500;

// The zone of a point in client coordinates of a window width x height,
// from the first of these that holds it (left, top, right, bottom; the
// right and bottom edges are outside): the menu spot (4, 4, 20, 20), the
// caption (24, 3, W-3, 24), the left, right, top and bottom edges three
// pixels deep, then the four corners; else the client. A maximised window
// has no edges or corners: they are client there.
int FrameZoneAt(POINT client, int width, int height, bool maximised);

// The cursor a zone shows (a standard cursor's id), or null for a code
// that leaves the cursor as it is.
LPCWSTR FrameZoneCursor(int code);

// True for the codes that size the window by a drag.
bool IsSizingZone(int code);

// The window rectangle a drag from zone code makes when the pointer is at
// screen point: the edges the zone names follow the point, but none comes
// closer than the smallest size to the edge opposite it.
RECT DraggedFrame(const RECT& window, int code, POINT screen);

// The window's region for a client of cx by cy: the whole rectangle, and
// while the window is not maximised without the two top corner pixels
// (0, 0) and (cx - 1, 0). The caller owns the region.
HRGN MakeFrameRegion(int cx, int cy, bool maximised);
