// Rounded-rectangle regions: the box they fit, their corner shape and its
// symmetry, and the notice window's shape (a 397 x 317 window rounded with
// (0, 0, w + 1, h + 1, 7, 7) and four single pixels cut next to the corners).
#include <gtest/gtest.h>

#include <string>
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

// Horizontal runs of one pixel: a pixel with no neighbour in its own row.
std::vector<std::pair<int, int>> LonePixels(const Mask& m) {
  std::vector<std::pair<int, int>> lone;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x) {
      bool left = x > 0 && m.In(x - 1, y), right = x + 1 < m.width && m.In(x + 1, y);
      if (m.In(x, y) && !left && !right) lone.emplace_back(x, y);
    }
  return lone;
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
    EXPECT_EQ(box.left, c.box.left);
    EXPECT_EQ(box.top, c.box.top);
    EXPECT_EQ(box.right, c.box.right);
    EXPECT_EQ(box.bottom, c.box.bottom);
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
  // Each corner read from its own corner outwards: rows, then columns.
  const std::vector<std::string> corner = {"..####", "..####", "######", "######", "######", "######"};
  struct Case {
    const char* name;
    bool right, bottom;
  } corners[] = {{"top left", false, false}, {"top right", true, false},
                 {"bottom left", false, true}, {"bottom right", true, true}};
  Mask inside = m;
  inside.width = w;
  inside.height = h;
  for (const Case& c : corners) EXPECT_EQ(Corner(inside, 6, 6, c.right, c.bottom), corner) << c.name;
  // Whole rows: the two first and last rows run from 2 to w - 3, all others
  // fill the width; nothing lies in the column w or the row h.
  for (int y = 0; y <= h; ++y) {
    std::string expected(w + 1, '.');
    if (y < h) {
      int from = (y < 2 || y >= h - 2) ? 2 : 0;
      for (int x = from; x < w - from; ++x) expected[x] = '#';
    }
    ASSERT_EQ(m.rows[y], expected) << "row " << y;
  }
  EXPECT_TRUE(LonePixels(inside).empty());
  // The four cut pixels and the corner pixels are outside, their neighbours
  // towards the middle inside.
  const POINT outside[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
  for (POINT p : outside) EXPECT_FALSE(PtInRegion(shape, p.x, p.y)) << p.x << "," << p.y;
  const POINT kept[] = {{2, 1}, {w - 3, 1}, {2, h - 2}, {w - 3, h - 2}, {0, 2}, {w - 1, 2}, {0, h - 3}, {w - 1, h - 3}};
  for (POINT p : kept) EXPECT_TRUE(PtInRegion(shape, p.x, p.y)) << p.x << "," << p.y;
  DeleteObject(shape);
}

}  // namespace
