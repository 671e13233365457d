#include <gtest/gtest.h>

#include "afx/geometry.h"

namespace {

TEST(CRectTest, OverlapAndUnionTable) {
  const struct {
    CRect a, b;
    CRect overlap;
    bool overlaps;
    CRect both;
  } cases[] = {
      {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, true, {0, 0, 15, 15}},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, false, {0, 0, 20, 10}},  // touching edges
      {{0, 0, 10, 10}, {2, 2, 3, 3}, {2, 2, 3, 3}, true, {0, 0, 10, 10}},
      {{0, 0, 0, 0}, {2, 2, 3, 3}, {0, 0, 0, 0}, false, {2, 2, 3, 3}},  // an empty one is left out
      {{-5, -5, -1, -1}, {-3, -3, 4, 4}, {-3, -3, -1, -1}, true, {-5, -5, 4, 4}},
  };
  for (const auto& c : cases) {
    CRect overlap;
    EXPECT_EQ(overlap.IntersectRect(c.a, c.b), c.overlaps);
    EXPECT_EQ(overlap, c.overlap);
    EXPECT_EQ(c.a & c.b, c.overlap);
    CRect both;
    both.UnionRect(c.a, c.b);
    EXPECT_EQ(both, c.both);
  }
  // A rectangle may be its own operand.
  CRect self(0, 0, 10, 10);
  self.IntersectRect(self, CRect(4, 4, 20, 20));
  EXPECT_EQ(self, CRect(4, 4, 10, 10));
}

TEST(CRectTest, SizesPointsAndMoves) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.Size(), CSize(100, 50));
  EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));  // the right edge is outside
  EXPECT_FALSE(r.PtInRect(CPoint(10, 70)));
  r.OffsetRect(-10, -20);
  EXPECT_EQ(r, CRect(0, 0, 100, 50));
  r.DeflateRect(4, 3, 2, 2);
  EXPECT_EQ(r, CRect(4, 3, 98, 48));
  r.InflateRect(1, 1);
  EXPECT_EQ(r, CRect(3, 2, 99, 49));
  CRect inverted(10, 10, 0, 0);
  EXPECT_TRUE(inverted.IsRectEmpty());
  inverted.NormalizeRect();
  EXPECT_EQ(inverted, CRect(0, 0, 10, 10));
  EXPECT_EQ(CPoint(5, 5) - CPoint(2, 7), CSize(3, -2));
  EXPECT_EQ(CPoint(MAKELPARAM(static_cast<WORD>(-2), 3)), CPoint(-2, 3));
}

}  // namespace
