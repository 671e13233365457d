#include <gtest/gtest.h>

#include "tab_geometry.h"
#include "tab_strip_fixture.h"

namespace {

using namespace tab_test;
namespace geo = tab_geometry;

TEST(TabGeometry, TabWidthSharesTheStripAtMost180AtLeast1) {
  struct Case {
    int clientWidth;
    int count;
    int width;
  } cases[] = {
      {1000, 10, 96}, {1000, 2, 180}, {1000, 5, 180}, {1000, 6, 161}, {214, 1, 180}, {213, 1, 179},
      {1000, 966, 1}, {1000, 967, 1}, {1000, 5000, 1}, {34, 1, 1},    {0, 3, 1},     {1000, 0, 180},
  };
  for (const Case& c : cases)
    EXPECT_EQ(geo::TabWidth(c.clientWidth, c.count), c.width) << c.clientWidth << " / " << c.count;
}

TEST(TabGeometry, TheLitCloseBoxIsWhereTheGlyphIsDrawn) {
  // Tabs start two pixels in: the glyph of tab i, drawn from its right edge,
  // falls on the box counted from (i + 1) times the width.
  for (int width : {180, 96, 40}) {
    for (int index : {0, 1, 4}) {
      const RECT tab{2 + index * width, 2, 2 + (index + 1) * width, 29};
      const POINT glyph = geo::ClosePlace(tab);
      const RECT box = geo::CloseBox(index, width, tab.top, tab.bottom);
      EXPECT_EQ(box.left, glyph.x) << width << " " << index;
      EXPECT_EQ(box.top, glyph.y) << width << " " << index;
      EXPECT_EQ(box.right - box.left, geo::kCloseSize);
      EXPECT_EQ(box.bottom - box.top, geo::kCloseSize);
    }
  }
}

TEST_F(TabStripTest, TabsWidenWithTheStripUpTo180) {
  struct Case {
    int stripWidth;
    int tabs;
    int width;
    int tabsWidth;  // where the home button goes
  } cases[] = {
      {1000, 0, 0, 2},     {1000, 2, 180, 364}, {1000, 5, 180, 904}, {1000, 10, 96, 970},
      {600, 3, 180, 544},  {600, 4, 141, 570},  {96, 1, 62, 66},     {40, 1, 6, 10},
      {100, 70, 1, 70},  // more tabs than pixels: one pixel each, never none
  };
  for (const Case& c : cases) {
    Resize(c.stripWidth);
    while (strip.GetItemCount() < c.tabs) owner.Open(u"http://shop.example/" + std::u16string(1, u'a' + strip.GetItemCount() % 26));
    while (strip.GetItemCount() > c.tabs) strip.RemoveTab(strip.GetItemCount() - 1);
    ui_test::Pump();
    if (c.tabs > 0) {
      EXPECT_EQ(TabRect(0), CRect(2, 2, 2 + c.width, 29)) << c.stripWidth << " / " << c.tabs;
      EXPECT_EQ(TabRect(c.tabs - 1).Width(), c.width);
    }
    EXPECT_EQ(strip.GetTabsWidth(), c.tabsWidth) << c.stripWidth << " / " << c.tabs;
  }
}

TEST_F(TabStripTest, ViewsFillTheStripBelowTheTabRowAndFollowItsSize) {
  OpenTabs({u"http://a.example/", u"http://b.example/"});
  for (int width : {600, 450}) {
    Resize(width);
    for (int i = 0; i < 2; ++i) {
      CWnd* view = strip.GetTabView(i);
      ASSERT_NE(view, nullptr);
      CRect placed;
      view->GetWindowRect(&placed);
      strip.ScreenToClient(&placed);
      EXPECT_EQ(placed, CRect(0, 30, width, 300)) << width << " tab " << i;
    }
  }
}

TEST_F(TabStripTest, TheHomeButtonIsPlacedAfterTheTabsAsTheyAreOnceAddedOrRemoved) {
  Resize(1000);
  for (int i = 0; i < 6; ++i) owner.Open(u"http://shop.example/");
  // The sixth tab made every tab narrower than 180: the button goes to the
  // strip's end, not after six tabs of the old width.
  ASSERT_EQ(owner.homePlaces.size(), 6u);
  EXPECT_EQ(owner.homePlaces[4], 5 * 180 + 4);
  EXPECT_EQ(owner.homePlaces[5], 970);
  strip.RemoveTab(0);
  EXPECT_EQ(owner.homePlaces.back(), 5 * 180 + 4);
}

}  // namespace
