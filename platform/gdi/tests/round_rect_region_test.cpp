// Rounded-rectangle regions: the box they fit, their corner shape and its
// symmetry, and the notice window's shape (a 397 x 317 window rounded with
// (0, 0, w + 1, h + 1, 7, 7) and four single pixels cut next to the corners).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "win/regions.h"

namespace {

// A region read back pixel by pixel inside a bounding area.
struct Mask {
  int width = 0, height = 0;
  std::vector<std::string> rows;  // '#' inside, '.' outside
  bool In(int x, int y) const { return rows[y][x] == '#'; }
};

Mask Read(HRGN region, int width, int height) {
  Mask mask{width, height, {}};
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += PtInRegion(region, x, y) ? '#' : '.';
    mask.rows.push_back(row);
  }
  return mask;
}

// A corner block of rows x columns read from the corner outwards: right
// corners right to left, bottom corners bottom to top.
std::vector<std::string> Corner(const Mask& m, int rows, int columns, bool right, bool bottom) {
  std::vector<std::string> out;
  for (int i = 0; i < rows; ++i) {
    int y = bottom ? m.height - 1 - i : i;
    std::string row;
    for (int j = 0; j < columns; ++j) row += m.rows[y][right ? m.width - 1 - j : j];
    out.push_back(row);
  }
  return out;
}

HRGN NoticeShape(int w, int h) {
  HRGN shape = CreateRoundRectRgn(0, 0, w + 1, h + 1, 7, 7);
  const POINT cuts[] = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
  for (POINT p : cuts) {
    HRGN pixel = CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1);
    CombineRgn(shape, shape, pixel, RGN_DIFF);
    DeleteObject(pixel);
  }
  return shape;
}

TEST(RoundRectRegion, FitsTheBoxWithoutItsLastColumnAndRow) {
  struct Case {
    RECT given;
    int ellipseW, ellipseH;
    RECT box;  // GetRgnBox
    int type;
  } cases[] = {
      {{0, 0, 398, 318}, 7, 7, {0, 0, 397, 317}, COMPLEXREGION},
      {{10, 20, 50, 40}, 12, 12, {10, 20, 49, 39}, COMPLEXREGION},
      {{50, 40, 10, 20}, 12, 12, {10, 20, 49, 39}, COMPLEXREGION},  // swapped corners
      {{0, 0, 10, 10}, 0, 0, {0, 0, 9, 9}, SIMPLEREGION},           // no rounding
      {{0, 0, 10, 10}, 1, 1, {0, 0, 9, 9}, SIMPLEREGION},           // too small to round
      {{-5, -5, 5, 5}, 4, 4, {-5, -5, 4, 4}, COMPLEXREGION},
      {{0, 0, 1, 10}, 4, 4, {0, 0, 0, 0}, NULLREGION},  // nothing left of one column
      {{0, 0, 10, 1}, 4, 4, {0, 0, 0, 0}, NULLREGION},
      {{3, 3, 3, 3}, 4, 4, {0, 0, 0, 0}, NULLREGION},
  };
  for (const Case& c : cases) {
    HRGN r = CreateRoundRectRgn(c.given.left, c.given.top, c.given.right, c.given.bottom, c.ellipseW, c.ellipseH);
    ASSERT_NE(r, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), c.type) << c.given.left << "," << c.given.right;
    EXPECT_EQ(std::tie(box.left, box.top, box.right, box.bottom),
              std::tie(c.box.left, c.box.top, c.box.right, c.box.bottom));
    DeleteObject(r);
  }
}

TEST(RoundRectRegion, CornerRowsOfCommonEllipses) {
  // The top-left corner of a 40 x 30 box; the other three mirror it.
  struct Case {
    int ellipseW, ellipseH;
    std::vector<std::string> corner;
  } cases[] = {
      {7, 7, {"..######", ".#######", "########", "########"}},
      {4, 4, {".#######", "########", "########", "########"}},
      {12, 6, {"...#####", ".#######", "########", "########"}},
      {6, 12, {"..######", ".#######", ".#######", "########"}},
      {-7, -7, {"..######", ".#######", "########", "########"}},  // the sign is ignored
  };
  for (const Case& c : cases) {
    HRGN r = CreateRoundRectRgn(0, 0, 41, 31, c.ellipseW, c.ellipseH);
    Mask m = Read(r, 40, 30);
    for (bool right : {false, true})
      for (bool bottom : {false, true})
        EXPECT_EQ(Corner(m, 4, 8, right, bottom), c.corner) << c.ellipseW << "x" << c.ellipseH << " " << right << bottom;
    DeleteObject(r);
  }
}

TEST(RoundRectRegion, FourCornersAreMirrorImages) {
  struct Case {
    int width, height, ellipseW, ellipseH;
  } cases[] = {{397, 317, 7, 7}, {40, 30, 12, 6}, {9, 9, 500, 500}, {11, 6, 5, 9}, {30, 30, -8, -8}, {101, 3, 7, 7}};
  for (const Case& c : cases) {
    HRGN r = CreateRoundRectRgn(0, 0, c.width + 1, c.height + 1, c.ellipseW, c.ellipseH);
    Mask m = Read(r, c.width + 2, c.height + 2);
    for (int y = 0; y < c.height + 2; ++y)
      for (int x = 0; x < c.width + 2; ++x) {
        bool inBox = x < c.width && y < c.height;
        if (!inBox) {
          ASSERT_FALSE(m.In(x, y)) << "outside the box at " << x << "," << y;
          continue;
        }
        ASSERT_EQ(m.In(x, y), m.In(c.width - 1 - x, y)) << c.width << "x" << c.height << " at " << x << "," << y;
        ASSERT_EQ(m.In(x, y), m.In(x, c.height - 1 - y)) << c.width << "x" << c.height << " at " << x << "," << y;
      }
    EXPECT_TRUE(m.In(c.width / 2, c.height / 2));
    DeleteObject(r);
  }
}

TEST(RoundRectRegion, NoticeWindowShape) {
  const int w = 397, h = 317;
  HRGN shape = NoticeShape(w, h);
  Mask m = Read(shape, w + 1, h + 1);
  // Every row whole: the two first and last rows run from 2 to w - 3 (the
  // corner pixel and the cut one beside it outside), all others fill the
  // width; nothing lies in the column w or the row h.
  for (int y = 0; y <= h; ++y) {
    std::string expected(w + 1, '.');
    if (y < h) {
      int from = (y < 2 || y >= h - 2) ? 2 : 0;
      for (int x = from; x < w - from; ++x) expected[x] = '#';
    }
    ASSERT_EQ(m.rows[y], expected) << "row " << y;
  }
  DeleteObject(shape);
}

}  // namespace
