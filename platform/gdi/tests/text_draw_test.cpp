#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing_test_support.h"
#include "win/regions.h"
#include "win/strings.h"
#include "win/text_draw.h"

using drawing_test::Canvas;

namespace {

HFONT MakeFont(const char16_t* face, LONG height, LONG weight = FW_NORMAL) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

// A canvas filled with one colour and a font of its own selected; the font
// goes with it.
struct Lettering : Canvas {
  Lettering(int width, int height, const char16_t* face, LONG fontHeight, int bitCount = 24, bool topDown = true,
            std::uint32_t fill = 0xFFFFFF)
      : Canvas(width, height, bitCount, topDown), font(MakeFont(face, fontHeight)) {
    Fill(fill);
    SelectObject(dc, font);
  }
  ~Lettering() { DeleteObject(font); }
  HFONT font;
};

// The bounding box of every pixel that differs from white.
RECT Ink(const Canvas& c) {
  RECT box{c.width, c.height, 0, 0};
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      if (c.Rgb(x, y) != 0xFFFFFF) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

std::vector<std::uint32_t> Pixels(const Canvas& c) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) out.push_back(c.Rgb(x, y));
  return out;
}

TEST(Text, ChineseTextLeavesInkWhereItWasDrawn) {
  for (const char16_t* face : {u"宋体", u"微软雅黑"}) {
    Lettering c(120, 40, face, 12, 24, false);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, RGB(0, 0, 0));
    ASSERT_TRUE(TextOutW(c.dc, 30, 10, u"价格下降", -1));
    RECT ink = Ink(c);
    EXPECT_GE(ink.left, 29);
    EXPECT_LE(ink.left, 34);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + 12 + 1);
    EXPECT_GT(ink.right - ink.left, 35);  // four wide characters of about 12 pixels
    EXPECT_GT(c.CountNot(0xFFFFFF, 0, 0, 120, 40), 60);
  }
}

TEST(Text, DistinctChineseCharactersHaveDistinctGlyphs) {
  // Missing glyphs would all be drawn as the same box.
  std::vector<std::vector<std::uint32_t>> seen;
  for (const char16_t* text : {u"中", u"文", u"价"}) {
    Lettering c(20, 20, u"宋体", -14);
    TextOutW(c.dc, 2, 2, text, 1);
    seen.push_back(Pixels(c));
  }
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_NE(seen[1], seen[2]);
}

TEST(Text, EveryRequestedFaceMeasuresText) {
  for (const char16_t* face : {u"Tahoma", u"Arial", u"MS Shell Dlg", u"宋体", u"微软雅黑", u"NoSuchFace"}) {
    Lettering c(10, 10, face, 12);
    SIZE latin{}, chinese{};
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, u"Price", 5, &latin));
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, u"价格", 2, &chinese));
    EXPECT_GT(latin.cx, 10);
    EXPECT_GT(chinese.cx, 12);
    EXPECT_LE(latin.cy, 12);  // a positive height is the whole cell
    EXPECT_GE(latin.cy, 10);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  }
}

TEST(Text, HeightsWeightsAndTheDefaultGuiFont) {
  Canvas c(10, 10, 24);
  HFONT small = MakeFont(u"Tahoma", -11);
  HFONT large = MakeFont(u"Tahoma", -24);
  HFONT bold = MakeFont(u"Tahoma", -24, FW_BOLD);
  SIZE s{}, l{}, b{};
  SelectObject(c.dc, small);
  GetTextExtentPoint32W(c.dc, u"Watch", 5, &s);
  SelectObject(c.dc, large);
  GetTextExtentPoint32W(c.dc, u"Watch", 5, &l);
  SelectObject(c.dc, bold);
  GetTextExtentPoint32W(c.dc, u"Watch", 5, &b);
  EXPECT_GT(l.cx, s.cx * 3 / 2);
  EXPECT_GT(b.cx, l.cx);
  SelectObject(c.dc, GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf), int(sizeof(lf)));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(std::u16string(lf.lfFaceName), u"MS Shell Dlg");
  EXPECT_TRUE(GetTextExtentPoint32W(c.dc, u"x", 1, &s));
  for (HFONT f : {small, large, bold}) DeleteObject(f);
}

TEST(Text, DrawTextFormats) {
  Lettering c(200, 40, u"Tahoma", -12);
  SIZE extent{};
  GetTextExtentPoint32W(c.dc, u"Hello", 5, &extent);

  RECT calc{10, 5, 10, 5};
  int h = DrawTextW(c.dc, u"Hello", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(h, extent.cy);
  EXPECT_EQ(calc.right - calc.left, extent.cx);
  EXPECT_EQ(calc.bottom - calc.top, extent.cy);

  RECT two{0, 0, 100, 0};
  EXPECT_EQ(DrawTextW(c.dc, u"a\r\nb\nc", -1, &two, DT_CALCRECT), 3 * extent.cy);

  // Prefix characters: "&&" shows one ampersand, "&x" none; DT_NOPREFIX shows them all.
  SIZE amp{};
  GetTextExtentPoint32W(c.dc, u"a&b", 3, &amp);
  RECT prefixed{0, 0, 0, 0};
  DrawTextW(c.dc, u"a&&b", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(prefixed.right, amp.cx);
  RECT raw{0, 0, 0, 0};
  DrawTextW(c.dc, u"a&&b", -1, &raw, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_GT(raw.right, amp.cx);

  // Centred in both directions: ink sits around the middle of the rectangle.
  SetBkMode(c.dc, TRANSPARENT);
  RECT box{0, 0, 200, 40};
  int offset = DrawTextW(c.dc, u"Hello", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(offset, (40 - extent.cy) / 2 + extent.cy);
  RECT ink = Ink(c);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 4);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 20, 4);
}

TEST(Text, EllipsisKeepsTextInsideItsRectangle) {
  for (UINT ellipsis : {DT_END_ELLIPSIS, DT_WORD_ELLIPSIS}) {
    Lettering c(200, 20, u"宋体", 12);
    SetBkMode(c.dc, TRANSPARENT);
    RECT box{0, 0, 60, 20};
    DrawTextW(c.dc, u"一个很长很长的商品标题 with words", -1, &box, DT_SINGLELINE | DT_NOPREFIX | ellipsis);
    RECT ink = Ink(c);
    EXPECT_LE(ink.right, 60);
    EXPECT_GT(ink.right, 40);  // the room is used, not left empty
    // The dots are the last thing drawn: the lower right part of the ink.
    EXPECT_EQ(c.CountNot(0xFFFFFF, ink.right - 3, 0, ink.right, 8), 0);
  }
}

TEST(Text, OpaqueBackgroundAndClipping) {
  Lettering c(100, 30, u"Tahoma", -12, 32, false, 0x000000);
  SetBkColor(c.dc, RGB(0, 255, 0));
  SetTextColor(c.dc, RGB(255, 0, 0));
  EXPECT_EQ(GetBkMode(c.dc), OPAQUE);
  IntersectClipRect(c.dc, 0, 0, 15, 30);
  TextOutW(c.dc, 5, 5, u"MMMM", 4);
  EXPECT_EQ(c.Rgb(5, 5), 0x00FF00u);       // background of the cell
  EXPECT_EQ(c.CountNot(0, 15, 0, 100, 30), 0);  // nothing past the clip
  int red = 0;
  for (int y = 5; y < 20; ++y)
    for (int x = 5; x < 15; ++x) red += (c.Rgb(x, y) >> 16) > 0x80;
  EXPECT_GT(red, 5);
}

TEST(Text, FontsMadeBeforeQtRunsWorkLater) {
  // Fonts are plain records until first used; creating many is cheap and
  // deleting unused ones never touches Qt.
  std::vector<HFONT> fonts;
  for (int i = 0; i < 100; ++i) fonts.push_back(MakeFont(u"宋体", 12 + i % 3));
  for (HFONT f : fonts) EXPECT_TRUE(DeleteObject(f));
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_FALSE(TextOutW(nullptr, 0, 0, u"x", 1));
  EXPECT_EQ(DrawTextW(nullptr, u"x", 1, nullptr, 0), 0);
}

}  // namespace
