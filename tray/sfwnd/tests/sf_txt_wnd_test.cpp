#include "sfwnd/sf_txt_wnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "recording_mgr.h"
#include "sfwnd/markup_fonts.h"
#include "sfwnd_test_support.h"
#include "win/text_draw.h"

namespace {

using sfwnd_test::RecordingMgr;
using sfwnd_test::Surface;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kWidth = 240;
constexpr int kHeight = 90;

SIZE Extent(HDC dc, int font, std::u16string_view text) {
  HGDIOBJ previous = SelectObject(dc, GetMarkupFont(font));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  return size;
}

// The label's markup drawn over white in black, into the whole surface.
void DrawLabel(Surface& surface, const std::u16string& markup, UINT format = SF_LABEL_DEFAULT_FORMAT) {
  CSFTxtWnd label;
  label.Init(nullptr, nullptr, 0, 0, surface.width, surface.height, 0, SFWS_VISIBLE | SFWS_ENABLED);
  label.SetText(markup.c_str(), format);
  SetTextColor(surface.dc, 0);
  const RECT area{0, 0, surface.width, surface.height};
  label.Draw(surface.dc, &area);
}

// One piece of text drawn by hand where the label should put it.
struct Piece {
  int font;
  COLORREF colour;
  std::u16string text;
  int x;
  int y;
};

void DrawPieces(Surface& surface, const std::vector<Piece>& pieces, UINT format = SF_LABEL_DEFAULT_FORMAT) {
  SetBkMode(surface.dc, TRANSPARENT);
  for (const Piece& piece : pieces) {
    HGDIOBJ previous = SelectObject(surface.dc, GetMarkupFont(piece.font));
    SetTextColor(surface.dc, piece.colour);
    RECT box{piece.x, piece.y, piece.x + surface.width, piece.y + surface.height};
    DrawTextW(surface.dc, piece.text.data(), static_cast<int>(piece.text.size()), &box, format);
    SelectObject(surface.dc, previous);
  }
}

int CountDifferent(const Surface& a, const Surface& b) {
  int n = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) n += a.Rgb(x, y) != b.Rgb(x, y);
  return n;
}

TEST(SFTxtWndTest, PiecesLandWherePenAndLineRulesPutThem) {
  Surface probe(1, 1);
  const int h5 = Extent(probe.dc, 5, u"X").cy;
  const int h6 = Extent(probe.dc, 6, u"X").cy;
  const int h2 = Extent(probe.dc, 2, u"X").cy;
  const int wideW6 = Extent(probe.dc, 6, u"Wide").cx;
  const int x5 = Extent(probe.dc, 5, u"X").cx;
  struct Case {
    const char* name;
    std::u16string markup;
    std::vector<Piece> pieces;
    UINT format = SF_LABEL_DEFAULT_FORMAT;
  };
  const std::vector<Case> cases = {
      {"a break starts the next line at the left edge, a line and two pixels lower", u"X\r\nX",
       {{5, 0, u"X", 0, 0}, {5, 0, u"X", 0, h5 + 2}}},
      {"segments flow on one line", u"{#font=6}Wide{/}X", {{6, 0, u"Wide", 0, 0}, {5, 0, u"X", wideW6, 0}}},
      {"the tallest line so far sets the step",
       u"{#font=6}Wide{/}X\r\nX",
       {{6, 0, u"Wide", 0, 0}, {5, 0, u"X", wideW6, 0}, {5, 0, u"X", 0, h6 + 2}}},
      {"an empty line still moves down", u"X\r\n\r\nX", {{5, 0, u"X", 0, 0}, {5, 0, u"X", 0, 2 * (h5 + 2)}}},
      {"a break inside a coloured segment",
       u"AB{#color=ff}\r\nX{/}X",
       {{5, 0, u"AB", 0, 0}, {5, 0xFF, u"X", 0, h5 + 2}, {5, 0, u"X", x5, h5 + 2}}},
      {"text after the break continues that line", u"{#font=2}X\r\nAB{/}X",
       {{2, 0, u"X", 0, 0}, {2, 0, u"AB", 0, h2 + 2}, {5, 0, u"X", Extent(probe.dc, 2, u"AB").cx, h2 + 2}}},
      {"a lone CR or LF does not break", u"AB\rX", {{5, 0, u"AB\rX", 0, 0}}},
      {"the centred format centres each piece", u"Title", {{5, 0, u"Title", 0, 0}}, 0x8825},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Surface label(kWidth, kHeight);
    DrawLabel(label, c.markup, c.format);
    Surface expected(kWidth, kHeight);
    DrawPieces(expected, c.pieces, c.format);
    ASSERT_GT(expected.InkBox(kWhite).right, 0);
    EXPECT_EQ(CountDifferent(label, expected), 0);
    if (c.format != SF_LABEL_DEFAULT_FORMAT) {
      const RECT ink = label.InkBox(kWhite);
      EXPECT_NEAR((ink.left + ink.right) / 2, kWidth / 2, 2);
    }
  }
}

TEST(SFTxtWndTest, FontNumbersOutsideTheTableLeaveTheDefaultFont) {
  Surface plain(kWidth, 40);
  DrawLabel(plain, u"Wide");
  struct Case {
    std::u16string markup;
    bool same;
  };
  const Case cases[] = {
      {u"{#font=9}Wide", true},  {u"{#font=0}Wide", true},  {u"{#font=-1}Wide", true},
      {u"{#font=5}Wide", true},  {u"{#font=6}{#font=9}Wide", true},
      {u"{#font=6}Wide", false}, {u"{#font=1}Wide", false},
  };
  for (const Case& c : cases) {
    Surface label(kWidth, 40);
    DrawLabel(label, c.markup);
    EXPECT_EQ(CountDifferent(label, plain) == 0, c.same) << std::string(c.markup.begin(), c.markup.end());
  }
}

// How far a pixel lies from the blend line between white and colour.
int OffBlendLine(std::uint32_t pixel, COLORREF colour) {
  const int channels[3][2] = {{int(pixel >> 16) & 0xFF, GetRValue(colour)},
                              {int(pixel >> 8) & 0xFF, GetGValue(colour)},
                              {int(pixel) & 0xFF, GetBValue(colour)}};
  // Coverage from the channel that moves most.
  int most = 0;
  for (int i = 1; i < 3; ++i)
    if (255 - channels[i][1] > 255 - channels[most][1]) most = i;
  const double t = (255.0 - channels[most][0]) / (255.0 - channels[most][1]);
  int worst = 0;
  for (const auto& c : channels) worst = std::max(worst, std::abs(int(255 - t * (255 - c[1]) + 0.5) - c[0]));
  return worst;
}

TEST(SFTxtWndTest, HoveredLinkDrawsEverySegmentInTheHoverColour) {
  RecordingMgr manager;
  CSFTxtWnd link;
  link.Init(&manager, nullptr, 0, 0, kWidth, 40, 1003, SFWS_VISIBLE | SFWS_ENABLED);
  link.SetText(u"{#color=ff}HHH{/}{#color=65280}MMM{/}{#font=6}EEE", SF_LABEL_DEFAULT_FORMAT);
  link.SetLinkMode(true);
  const POINT point{1, 1};
  link.OnMouseEnter(&point);
  ASSERT_TRUE(link.IsHovering());

  Surface surface(kWidth, 40);
  const COLORREF before = RGB(10, 20, 30);
  SetTextColor(surface.dc, before);
  const RECT area{0, 0, kWidth, 40};
  link.Draw(surface.dc, &area);
  EXPECT_EQ(GetTextColor(surface.dc), before);

  // Exactly what the three pieces give in the hover colour.
  const int wH = Extent(surface.dc, 5, u"HHH").cx;
  const int wM = Extent(surface.dc, 5, u"MMM").cx;
  Surface expected(kWidth, 40);
  DrawPieces(expected, {{5, SF_LINK_HOVER_COLOR, u"HHH", 0, 0},
                        {5, SF_LINK_HOVER_COLOR, u"MMM", wH, 0},
                        {6, SF_LINK_HOVER_COLOR, u"EEE", wH + wM, 0}});
  EXPECT_EQ(CountDifferent(surface, expected), 0);
  int worst = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (surface.Rgb(x, y) != kWhite) worst = std::max(worst, OffBlendLine(surface.Rgb(x, y), SF_LINK_HOVER_COLOR));
  EXPECT_LE(worst, 3);

  // Without hover the segments keep their own colours.
  link.OnMouseLeave();
  Surface plain(kWidth, 40);
  link.Draw(plain.dc, &area);
  const int hWidth = Extent(plain.dc, 5, u"HHH").cx;
  int redInk = 0, offRed = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < hWidth; ++x) {
      if (plain.Rgb(x, y) == kWhite) continue;
      ++redInk;
      offRed += OffBlendLine(plain.Rgb(x, y), RGB(255, 0, 0)) > 3;
    }
  }
  EXPECT_GT(redInk, 20);
  EXPECT_EQ(offRed, 0);
}

TEST(SFTxtWndTest, DrawingRestoresTheDcAndNeedsDcAndArea) {
  CSFTxtWnd label;
  label.Init(nullptr, nullptr, 0, 0, 100, 30, 0, SFWS_VISIBLE);
  label.SetText(u"{#font=6,color=ff}A{#font=2}B", SF_LABEL_DEFAULT_FORMAT);
  Surface surface(100, 30);
  HFONT own = GetMarkupFont(3);
  SelectObject(surface.dc, own);
  SetTextColor(surface.dc, RGB(1, 2, 3));
  const RECT area{0, 0, 100, 30};
  label.Draw(surface.dc, &area);
  EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_FONT), own);
  EXPECT_EQ(GetTextColor(surface.dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(surface.dc), TRANSPARENT);

  Surface untouched(100, 30);
  label.Draw(untouched.dc, nullptr);
  label.Draw(nullptr, &area);
  EXPECT_EQ(untouched.InkBox(kWhite).right, 0);
}

TEST(SFTxtWndTest, InitMakesLabelsTransparentAndSetTextKeepsFormat) {
  RecordingMgr manager;
  CSFTxtWnd label;
  EXPECT_EQ(label.Init(&manager, nullptr, 3, 4, 50, 20, 7, SFWS_VISIBLE | SFWS_ENABLED), 1);
  EXPECT_EQ(label.GetStyle(), SFWS_VISIBLE | SFWS_ENABLED | SFWS_OVERBACKGROUND);
  ASSERT_EQ(manager.GetWnds().size(), 1u);
  EXPECT_EQ(label.GetWndRect().right, 53);

  EXPECT_EQ(label.GetFormat(), SF_LABEL_DEFAULT_FORMAT);
  label.SetText(u"{#font=4}T", 0x8825);
  EXPECT_EQ(label.GetFormat(), 0x8825u);
  label.SetText(nullptr, 0);
  EXPECT_EQ(label.GetFormat(), 0x8825u);
  EXPECT_TRUE(label.GetText() == u"{#font=4}T");
  ASSERT_EQ(label.GetSegments().size(), 1u);
  EXPECT_EQ(label.GetSegments()[0].font, 4);
  label.SetText(u"", SF_LABEL_DEFAULT_FORMAT);
  EXPECT_TRUE(label.GetSegments().empty());
  EXPECT_TRUE(manager.redraws.empty());
}

TEST(SFTxtWndTest, ClicksTable) {
  struct Case {
    const char* name;
    bool link;
    const char* steps;  // e: enter, l: leave, d: press, u: release
    const char* calls;
    int commands;
  };
  const Case cases[] = {
      {"link clicked", true, "edu", "capture;release;command;", 1},
      {"link pressed then left", true, "edlu", "capture;release;", 0},
      {"link left and came back", true, "edleu", "capture;release;command;", 1},
      {"link pressed twice", true, "eddu", "capture;release;command;", 1},
      {"link released without press", true, "eu", "", 0},
      {"plain label never hovers", false, "edu", "capture;release;", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingMgr manager;
    CSFTxtWnd label;
    label.Init(&manager, nullptr, 0, 0, 80, 20, 1003, SFWS_VISIBLE | SFWS_ENABLED);
    label.SetText(u"share", SF_LABEL_DEFAULT_FORMAT);
    label.SetLinkMode(c.link);
    const POINT point{2, 2};
    for (const char* step = c.steps; *step; ++step) {
      switch (*step) {
        case 'e': label.OnMouseEnter(&point); break;
        case 'l': label.OnMouseLeave(); break;
        case 'd': EXPECT_EQ(label.OnLButtonDown(&point), 1); break;
        case 'u': EXPECT_EQ(label.OnLButtonUp(&point), 1); break;
      }
    }
    EXPECT_EQ(manager.calls, c.calls);
    ASSERT_EQ(static_cast<int>(manager.commands.size()), c.commands);
    if (c.commands) {
      EXPECT_EQ(manager.commands[0].sender, &label);
      EXPECT_EQ(manager.commands[0].code, SFN_CLICKED);
      EXPECT_EQ(manager.commands[0].id, 1003u);
    }
    EXPECT_FALSE(label.IsPressed());
  }
}

}  // namespace
