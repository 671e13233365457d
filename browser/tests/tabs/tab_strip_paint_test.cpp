#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "image_samples.h"
#include "pixel_reader.h"
#include "tab_strip_fixture.h"

namespace {

using namespace tab_test;

// Which loading frame a colour is, or -1.
int LoadingFrameOf(COLORREF colour) {
  for (int f = 0; f < 8; ++f)
    if (colour == LoadingColour(f)) return f;
  return -1;
}

// Three tabs of 180 in 600 pixels: tab i spans x 2 + 180 i to 182 + 180 i,
// y 2 to 29.
TEST_F(TabStripTest, PaintsSelectedHotAndLoadingTabs) {
  OpenTabs({u"http://a.example/", u"http://b.example/", u"http://c.example/"});
  ASSERT_EQ(strip.GetCurSel(), 2);
  strip.SetItemState(0, 0x3000, TABSTATE_ICON);
  strip.SetItemState(1, 0x3000 | TABSTATE_HOT | TABSTATE_CLOSEHOT, TABSTATE_ICON | TABSTATE_HOT | TABSTATE_CLOSEHOT);
  ui_test::Pump();
  strip.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const ui_test::Pixels shown = ui_test::Pixels::OfWindow(strip);

  struct Case {
    const char* what;
    int firstSlice;
    COLORREF icon;   // at (left + 16, 16): page icon, loading frame
    COLORREF glyph;  // at (right - 17, 17)
  } cases[] = {
      {"a plain tab with its icon", 0, kDefaultIconColour, kCloseColour},
      {"a lit tab and glyph", 3, kDefaultIconColour, kCloseLitColour},
      {"the selected tab, loading", 6, CLR_INVALID, kCloseColour},
  };
  for (int i = 0; i < 3; ++i) {
    const Case& c = cases[i];
    const int left = 2 + 180 * i, right = left + 180;
    EXPECT_EQ(shown.At(left + 2, 15), SliceColour(c.firstSlice)) << c.what;
    EXPECT_EQ(shown.At(left + 90, 4), SliceColour(c.firstSlice + 1)) << c.what;
    EXPECT_EQ(shown.At(right - 3, 15), SliceColour(c.firstSlice + 2)) << c.what;
    if (c.icon != CLR_INVALID) EXPECT_EQ(shown.At(left + 16, 16), c.icon) << c.what;
    else EXPECT_GE(LoadingFrameOf(shown.At(left + 16, 17)), 0) << c.what;
    EXPECT_EQ(shown.At(right - 17, 17), c.glyph) << c.what;
    // The title: something darker than the slice in its box.
    bool text = false;
    for (int x = left + 28; x < right - 25 && !text; ++x)
      for (int y = 6; y < 29 && !text; ++y) text = shown.At(x, y) != SliceColour(c.firstSlice + 1);
    EXPECT_TRUE(text) << c.what;
  }
  // The strip's background around the tabs, stretched over its width.
  for (POINT p : {POINT{100, 0}, POINT{100, 30}, POINT{590, 15}, POINT{599, 31}})
    EXPECT_EQ(shown.At(p.x, p.y), kStripColour) << p.x << ", " << p.y;
}

TEST_F(TabStripTest, EachPaintShowsTheNextLoadingFrame) {
  OpenTabs({u"http://a.example/"});
  const CRect tab = TabRect(0);
  const int first = LoadingFrameOf(PixelAfterPaint(tab.left + 16, 17));
  ASSERT_GE(first, 0);
  for (int paint = 1; paint <= 9; ++paint)
    EXPECT_EQ(LoadingFrameOf(PixelAfterPaint(tab.left + 16, 17)), (first + paint) % 8) << paint;
  // A tab with neither page bit shows no icon at all.
  strip.SetItemState(0, 0x3000, 0);
  EXPECT_EQ(PixelAfterPaint(tab.left + 16, 17), SliceColour(7));
}

TEST_F(TabStripTest, TheTimerAnimatesWhileATabLoads) {
  OpenTabs({u"http://a.example/"});
  ui_test::Pump();
  const CRect tab = TabRect(0);
  const int before = LoadingFrameOf(ui_test::Pixels::OfWindow(strip).At(tab.left + 16, 17));
  ASSERT_GE(before, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(350));
  ui_test::Pump();
  const int after = LoadingFrameOf(ui_test::Pixels::OfWindow(strip).At(tab.left + 16, 17));
  EXPECT_GE(after, 0);
  EXPECT_NE(after, before);
}

TEST_F(TabStripTest, WhatATabDrawsByItsWidth) {
  struct Case {
    int width;
    bool text;
    bool glyph;
  } cases[] = {
      {180, true, true}, {63, true, true}, {62, false, true}, {40, false, true}, {31, false, true}, {30, false, false},
  };
  OpenTabs({u"ii"});
  strip.SetItemState(0, 0x3000, TABSTATE_ICON);
  for (const Case& c : cases) {
    Resize(c.width + 34);
    const CRect tab = TabRect(0);
    ASSERT_EQ(tab.Width(), c.width);
    strip.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const ui_test::Pixels shown = ui_test::Pixels::OfWindow(strip);
    bool text = false;
    for (int x = tab.left + 28; x < tab.right - 25; ++x)
      for (int y = 6; y < 29; ++y) text = text || shown.At(x, y) != SliceColour(7);
    EXPECT_EQ(text, c.text) << c.width;
    bool glyph = false;
    for (int x = tab.left; x < tab.right; ++x)
      for (int y = tab.top; y < tab.bottom; ++y) glyph = glyph || shown.At(x, y) == kCloseColour;
    EXPECT_EQ(glyph, c.glyph) << c.width;
    if (c.glyph) {
      EXPECT_EQ(shown.At(tab.right - 17, 17), kCloseColour) << c.width;
    }
  }
}

// A 32-bit icon of side `side` in one colour, as an icon file.
quorla_test::Bytes IconFile(int side, BYTE red, BYTE green, BYTE blue) {
  quorla_test::Bytes pixels;
  for (int i = 0; i < side * side; ++i) pixels.insert(pixels.end(), {blue, green, red, 255});
  const quorla_test::Bytes mask(static_cast<size_t>(side) * static_cast<size_t>(((side + 31) / 32) * 4), 0);
  const auto entry = quorla_test::IconDib(side, side, 32, {}, pixels, mask);
  return quorla_test::MakeIco({{static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side), entry}});
}

TEST_F(TabStripTest, SetTabIconTakesIconFilesAndFallsBackToTheDefault) {
  OpenTabs({u"http://a.example/", u"http://b.example/"});
  strip.SetItemState(0, 0x3000, TABSTATE_ICON);
  CWnd* view = strip.GetTabView(0);
  const auto red = IconFile(16, 255, 0, 0);
  const auto bigBlue = IconFile(32, 0, 0, 255);
  const quorla_test::Bytes garbage{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'};
  const quorla_test::Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  const quorla_test::Bytes cut(red.begin(), red.begin() + 40);
  struct Case {
    const char* what;
    const quorla_test::Bytes* bytes;
    DWORD size;
    COLORREF colour;
  } cases[] = {
      {"a 16-pixel icon", &red, static_cast<DWORD>(red.size()), RGB(255, 0, 0)},
      {"bytes that are no icon", &garbage, static_cast<DWORD>(garbage.size()), kDefaultIconColour},
      {"a 32-pixel icon, drawn at 16", &bigBlue, static_cast<DWORD>(bigBlue.size()), RGB(0, 0, 255)},
      {"a cut icon file", &cut, static_cast<DWORD>(cut.size()), kDefaultIconColour},
      {"the start of a PNG file", &png, static_cast<DWORD>(png.size()), kDefaultIconColour},
      {"no bytes", nullptr, 0, kDefaultIconColour},
      {"the icon again", &red, static_cast<DWORD>(red.size()), RGB(255, 0, 0)},
  };
  for (const Case& c : cases) {
    strip.SetTabIcon(view, c.bytes ? c.bytes->data() : nullptr, c.size);
    const ui_test::Pixels shown = ui_test::Pixels::OfWindow(strip);  // drawn at once, no pump
    EXPECT_EQ(shown.At(2 + 16, 16), c.colour) << c.what;
    EXPECT_EQ(shown.At(2 + 8 + 15, 8 + 15), c.colour) << c.what;
  }
  EXPECT_EQ(strip.GetTabItem(1)->icon.GetWidth(), 16u) << "the other tab keeps the default";
  strip.SetTabIcon(&host, red.data(), static_cast<DWORD>(red.size()));  // no tab: nothing
  EXPECT_EQ(PixelAfterPaint(2 + 16, 16), RGB(255, 0, 0));
}

}  // namespace
