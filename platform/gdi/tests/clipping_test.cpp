#include <gtest/gtest.h>

#include "drawing_test_support.h"
#include "win/regions.h"

using drawing_test::Canvas;

namespace {

RECT Box(HDC dc, int* type = nullptr) {
  RECT r{};
  int t = GetClipBox(dc, &r);
  if (type) *type = t;
  return r;
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(Regions, CombineModes) {
  struct Case {
    int mode;
    int type;
    RECT box;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},
      {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
      {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}},
      {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}},
  };
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  for (const Case& c : cases) {
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.type) << c.mode;
    RECT box{};
    GetRgnBox(out, &box);
    EXPECT_TRUE(Same(box, c.box)) << c.mode;
    DeleteObject(out);
  }
  HRGN disjoint = CreateRectRgn(20, 20, 30, 30);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(out, a, disjoint, RGN_AND), NULLREGION);
  EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
  EXPECT_EQ(CombineRgn(out, a, b, 42), ERROR);
  for (HRGN r : {a, b, disjoint, out}) DeleteObject(r);
}

TEST(Clipping, BoxFollowsEveryClipOperation) {
  Canvas canvas(100, 50, 24);
  HDC dc = canvas.dc;
  int type = 0;
  EXPECT_TRUE(Same(Box(dc, &type), RECT{0, 0, 100, 50}));
  EXPECT_EQ(type, SIMPLEREGION);

  EXPECT_EQ(IntersectClipRect(dc, 10, 10, 60, 40), SIMPLEREGION);
  EXPECT_TRUE(Same(Box(dc), RECT{10, 10, 60, 40}));
  EXPECT_EQ(ExcludeClipRect(dc, 10, 10, 30, 40), SIMPLEREGION);
  EXPECT_TRUE(Same(Box(dc), RECT{30, 10, 60, 40}));

  HRGN extra = CreateRectRgn(0, 0, 5, 5);
  EXPECT_EQ(ExtSelectClipRgn(dc, extra, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(Same(Box(dc), RECT{0, 0, 60, 40}));
  EXPECT_EQ(ExtSelectClipRgn(dc, extra, RGN_DIFF), SIMPLEREGION);
  EXPECT_TRUE(Same(Box(dc), RECT{30, 10, 60, 40}));
  EXPECT_EQ(ExtSelectClipRgn(dc, extra, RGN_AND), NULLREGION);
  EXPECT_TRUE(Same(Box(dc, &type), RECT{0, 0, 0, 0}));
  EXPECT_EQ(type, NULLREGION);

  EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
  EXPECT_TRUE(Same(Box(dc), RECT{0, 0, 100, 50}));
  EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_AND), ERROR);
  // Without a clipping region, AND starts from the whole surface.
  EXPECT_EQ(ExtSelectClipRgn(dc, extra, RGN_AND), SIMPLEREGION);
  EXPECT_TRUE(Same(Box(dc), RECT{0, 0, 5, 5}));
  // SelectObject with a region copies it into the clip.
  HRGN wide = CreateRectRgn(50, 0, 200, 200);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(SelectObject(dc, wide)), SIMPLEREGION);
  DeleteObject(wide);
  EXPECT_TRUE(Same(Box(dc), RECT{50, 0, 100, 50}));
  DeleteObject(extra);
}

TEST(Clipping, ViewportOriginMovesLogicalCoordinates) {
  Canvas canvas(100, 50, 24);
  HDC dc = canvas.dc;
  POINT old{1, 1};
  EXPECT_TRUE(SetViewportOrgEx(dc, 20, 10, &old));
  EXPECT_EQ(old.x, 0);
  EXPECT_TRUE(Same(Box(dc), RECT{-20, -10, 80, 40}));
  IntersectClipRect(dc, 0, 0, 10, 10);  // logical: device 20,10 .. 30,20
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, clip), 1);
  RECT box{};
  GetRgnBox(clip, &box);
  EXPECT_TRUE(Same(box, RECT{20, 10, 30, 20}));
  DeleteObject(clip);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  RECT all{-100, -100, 100, 100};
  FillRect(dc, &all, white);
  EXPECT_EQ(canvas.CountNot(0, 0, 0, 100, 50), 100);
  EXPECT_EQ(canvas.Rgb(20, 10), 0xFFFFFFu);
  EXPECT_EQ(canvas.Rgb(19, 10), 0u);
  DeleteObject(white);
}

TEST(Clipping, SaveAndRestoreBringBackTheState) {
  Canvas canvas(40, 40, 32);
  HDC dc = canvas.dc;
  EXPECT_EQ(SaveDC(dc), 1);
  IntersectClipRect(dc, 0, 0, 10, 10);
  SetViewportOrgEx(dc, 5, 5, nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  EXPECT_EQ(SaveDC(dc), 2);
  ExcludeClipRect(dc, -5, -5, 0, 0);
  SetBkMode(dc, TRANSPARENT);
  EXPECT_EQ(SaveDC(dc), 3);
  EXPECT_TRUE(RestoreDC(dc, -1));  // back to level 3's state
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_TRUE(RestoreDC(dc, 2));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_FALSE(RestoreDC(dc, 2));  // that level is gone now
  EXPECT_TRUE(RestoreDC(dc, 1));
  EXPECT_TRUE(Same(Box(dc), RECT{0, 0, 40, 40}));
  EXPECT_EQ(GetTextColor(dc), 0u);
  EXPECT_FALSE(RestoreDC(dc, -1));
  EXPECT_FALSE(RestoreDC(dc, 0));
}

TEST(Clipping, SelectObjectReturnsWhatItReplaces) {
  Canvas canvas(2, 2, 24);
  HBITMAP other = CreateCompatibleBitmap(nullptr, 2, 2);
  EXPECT_EQ(SelectObject(canvas.dc, other), canvas.bitmap);
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BITMAP), other);
  EXPECT_EQ(SelectObject(canvas.dc, canvas.bitmap), other);
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  HGDIOBJ previousFont = SelectObject(canvas.dc, font);
  EXPECT_NE(previousFont, nullptr);
  EXPECT_EQ(SelectObject(canvas.dc, previousFont), font);
  EXPECT_EQ(SelectObject(canvas.dc, nullptr), nullptr);
  EXPECT_EQ(SelectObject(nullptr, font), nullptr);
  DeleteObject(other);
}

}  // namespace
