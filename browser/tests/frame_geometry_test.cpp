#include <gtest/gtest.h>

#include "afx/geometry.h"
#include "frame_geometry.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/regions.h"

namespace {

// A window 1000 wide and 700 high.
constexpr int kW = 1000;
constexpr int kH = 700;

struct ZoneCase {
  POINT point;
  int restored;   // the zone of a restored window
  int maximised;  // and of a maximised one
};

// The edges of every zone from both sides; right and bottom edges lie
// outside their zones.
const ZoneCase kZoneCases[] = {
    // the window menu spot (4, 4, 20, 20)
    {{4, 4}, 5, 5}, {{19, 19}, 5, 5}, {{10, 10}, 5, 5}, {{3, 4}, 1, 1},
    {{4, 3}, 1, 1}, {{20, 4}, 1, 1}, {{4, 20}, 1, 1}, {{20, 20}, 1, 1},
    // the caption (24, 3, W-3, 24)
    {{24, 3}, 2, 2}, {{996, 3}, 2, 2}, {{24, 23}, 2, 2}, {{996, 23}, 2, 2},
    {{500, 12}, 2, 2}, {{23, 3}, 1, 1}, {{24, 24}, 1, 1}, {{500, 24}, 1, 1},
    {{24, 2}, 12, 1}, {{997, 10}, 11, 1},
    // the left edge (0, 3, 3, H-3)
    {{0, 3}, 10, 1}, {{2, 3}, 10, 1}, {{2, 696}, 10, 1}, {{0, 350}, 10, 1},
    {{3, 350}, 1, 1},
    // the right edge (W-3, 3, W, H-3)
    {{997, 3}, 11, 1}, {{999, 696}, 11, 1}, {{996, 350}, 1, 1},
    // the top edge (3, 0, W-3, 3)
    {{3, 0}, 12, 1}, {{996, 2}, 12, 1}, {{500, 0}, 12, 1}, {{10, 2}, 12, 1},
    // the bottom edge (3, H-3, W-3, H)
    {{3, 697}, 15, 1}, {{996, 699}, 15, 1}, {{500, 696}, 1, 1},
    // the corners
    {{0, 0}, 13, 1}, {{2, 2}, 13, 1}, {{997, 0}, 14, 1}, {{999, 2}, 14, 1},
    {{0, 697}, 16, 1}, {{2, 699}, 16, 1}, {{997, 697}, 17, 1}, {{999, 699}, 17, 1},
    // the client and beyond the window
    {{500, 350}, 1, 1}, {{1000, 350}, 1, 1}, {{500, 700}, 1, 1}, {{-1, 350}, 1, 1},
};

TEST(FrameZoneTest, FindsTheFirstZoneThatHoldsThePoint) {
  for (const ZoneCase& c : kZoneCases) {
    SCOPED_TRACE(::testing::Message() << "at " << c.point.x << "," << c.point.y);
    EXPECT_EQ(FrameZoneAt(c.point, kW, kH, false), c.restored);
    EXPECT_EQ(FrameZoneAt(c.point, kW, kH, true), c.maximised);
  }
}

TEST(FrameZoneTest, CursorsFollowTheZone) {
  struct Case {
    int code;
    LPCWSTR cursor;
  };
  const Case cases[] = {
      {1, IDC_ARROW},     {2, IDC_ARROW},     {5, IDC_ARROW},   {10, IDC_SIZEWE},   {11, IDC_SIZEWE},
      {12, IDC_SIZENS},   {15, IDC_SIZENS},   {13, IDC_SIZENWSE}, {17, IDC_SIZENWSE}, {14, IDC_SIZENESW},
      {16, IDC_SIZENESW}, {0, nullptr},       {3, nullptr},     {4, nullptr},       {6, nullptr},
      {9, nullptr},       {18, nullptr},      {-1, nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameZoneCursor(c.code), c.cursor) << "code " << c.code;
}

TEST(FrameDragTest, EdgesFollowThePointerButKeepTheSmallestSize) {
  // 1200 wide, 800 high.
  const RECT window{100, 100, 1300, 900};
  struct Case {
    int code;
    POINT pointer;
    RECT expected;
  };
  const Case cases[] = {
      {10, {50, 500}, {50, 100, 1300, 900}}, {10, {-300, 500}, {-300, 100, 1300, 900}}, {10, {390, 500}, {390, 100, 1300, 900}},
      {10, {391, 500}, {390, 100, 1300, 900}}, {10, {1250, 500}, {390, 100, 1300, 900}}, {11, {1500, 0}, {100, 100, 1500, 900}},
      {11, {1010, 0}, {100, 100, 1010, 900}}, {11, {500, 0}, {100, 100, 1010, 900}}, {12, {0, 20}, {100, 20, 1300, 900}},
      {12, {0, 400}, {100, 400, 1300, 900}}, {12, {0, 700}, {100, 400, 1300, 900}}, {15, {0, 1000}, {100, 100, 1300, 1000}},
      {15, {0, 200}, {100, 100, 1300, 600}}, {13, {1250, 880}, {390, 400, 1300, 900}}, {14, {150, 50}, {100, 50, 1010, 900}},
      {16, {0, 1000}, {0, 100, 1300, 1000}}, {17, {2000, 1500}, {100, 100, 2000, 1500}}, {17, {120, 120}, {100, 100, 1010, 600}},
      {2, {500, 500}, {100, 100, 1300, 900}}, {1, {500, 500}, {100, 100, 1300, 900}}, {5, {500, 500}, {100, 100, 1300, 900}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "code " << c.code << " to " << c.pointer.x << "," << c.pointer.y);
    EXPECT_EQ(CRect(DraggedFrame(window, c.code, c.pointer)), CRect(c.expected));
  }
}

TEST(FrameRegionTest, CutsTheTopCornersUnlessMaximised) {
  struct Case {
    POINT point;
    bool restored;
    bool maximised;
  };
  const Case cases[] = {
      {{0, 0}, false, true},     {{999, 0}, false, true},   {{1, 0}, true, true},     {{998, 0}, true, true},
      {{0, 1}, true, true},      {{999, 1}, true, true},    {{0, 699}, true, true},   {{999, 699}, true, true},
      {{500, 350}, true, true},  {{1000, 0}, false, false}, {{0, 700}, false, false}, {{-1, 0}, false, false},
  };
  HRGN restored = MakeFrameRegion(kW, kH, false);
  HRGN maximised = MakeFrameRegion(kW, kH, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "at " << c.point.x << "," << c.point.y);
    EXPECT_EQ(PtInRegion(restored, c.point.x, c.point.y) != FALSE, c.restored);
    EXPECT_EQ(PtInRegion(maximised, c.point.x, c.point.y) != FALSE, c.maximised);
  }
  DeleteObject(restored);
  DeleteObject(maximised);
}

}  // namespace
