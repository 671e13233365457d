#include <gtest/gtest.h>

#include <vector>

#include "fixture_ids.h"
#include "my_tool_bar.h"
#include "pixel_reader.h"
#include "tool_tips_probe.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "ui_test_support.h"
#include "win/buttons.h"

namespace {

using namespace ui_test;

const char16_t* const kTexts[] = {u"首页", u"收藏夹", u"一个更长的按钮"};
const int kIds[] = {1011, 1012, 2000};  // 2000 has no string

// The skin's nine frames, one colour each (see the fixture script).
const COLORREF kSkin[9] = {RGB(250, 250, 250), RGB(240, 240, 240), RGB(230, 230, 230),
                           RGB(255, 200, 0),   RGB(255, 180, 0),   RGB(255, 160, 0),
                           RGB(0, 120, 255),   RGB(0, 100, 255),   RGB(0, 80, 255)};

int TextWidth(const char16_t* text) {
  CClientDC dc(nullptr);
  CFont* before = dc.SelectObject(GetUiFont(1));
  const int width = dc.GetTextExtent(text).cx;
  dc.SelectObject(before);
  return width;
}

// Three buttons on a 32-high background, skin frames 4 x 24, icons 16 x 16.
class ToolBar : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    ASSERT_TRUE(bar.Create(&host));
    bar.SetToolTips(&tips.control());
    ASSERT_EQ(LoadPngImage(kToolIconsPng, &bar.IconImage(), 1, 2), TRUE);
    ASSERT_EQ(LoadPngImage(kToolSkinPng, &bar.SkinImage(), 1, 9), TRUE);
    ASSERT_EQ(LoadPngImage(kToolBackgroundPng, &bar.BackgroundImage(), 1, 1), TRUE);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bar.AddButton(kTexts[i], i % 2, kIds[i], 100 + i), i);
    Resize(500);
  }

  void Resize(int width) {
    bar.MoveWindow(10, 50, width, 32);
    Pump();
  }

  CRect Rect(int i) { return bar.GetButton(i)->rect; }

  CHostWnd host;
  ToolTipsProbe tips{host};
  CMyToolBar bar;
};

TEST_F(ToolBar, ButtonsAsWideAsIconTextAndMargin) {
  int x = 0;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const int width = 16 + TextWidth(kTexts[i]) + 10;
    EXPECT_EQ(Rect(i), CRect(x, 4, x + width, 28)) << "centred: (32 - 24) / 2";
    x += width;
  }
  EXPECT_EQ(bar.GetBarRect(), CRect(0, 0, x, 32));
  EXPECT_EQ(bar.FindButton(1012)->ownerValue, 101);
  EXPECT_EQ(bar.FindButton(1012)->text, CString(u"收藏夹"));
  EXPECT_EQ(bar.FindButton(4242), nullptr);
  // The mouse rules are the bar window's own; the bar's buttons take them.
  ClickAt(bar, Rect(1).CenterPoint().x, Rect(1).CenterPoint().y);
  EXPECT_EQ(host.Commands(), std::vector<int>{1012});
  // One tool per button, its text from the string table.
  EXPECT_EQ(tips.Count(), 3);
  const char16_t* texts[] = {u"后退", u"刷新", u""};
  for (int i = 0; i < 3; ++i) {
    auto tool = tips.Find(bar, static_cast<UINT_PTR>(kIds[i]));
    ASSERT_TRUE(tool.has_value()) << i;
    EXPECT_EQ(tool->text, texts[i]);
  }
}

TEST_F(ToolBar, OverflowHidesWhatDoesNotFitBeforeTheOverflowButton) {
  const int fitsTwo = Rect(1).right + 20;  // the overflow button is 20 wide
  struct Case {
    const char* name;
    BOOL on;
    int width;
    std::vector<bool> hidden;
    int first, last;
  };
  const std::vector<Case> cases = {
      {"off: one row however narrow", FALSE, 40, {false, false, false}, 0, 0},
      {"on, room for all", TRUE, 1000, {false, false, false}, 0, 0},
      {"on, room for two", TRUE, fitsTwo, {false, false, true}, 2000, 2000},
      {"on, one pixel less", TRUE, fitsTwo - 1, {false, true, true}, 1012, 2000},
      {"on, narrower than the first button", TRUE, 30, {true, true, true}, 1011, 2000},
  };
  CRect widths[3];
  for (int i = 0; i < 3; ++i) widths[i] = Rect(i);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar.SetOverflow(c.on);
    Resize(c.width);
    bool anyHidden = false;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Rect(i).IsRectEmpty(), c.hidden[i]) << i;
      if (!c.hidden[i]) {
        EXPECT_EQ(Rect(i), widths[i]) << i;
      }
      auto tool = tips.Find(bar, static_cast<UINT_PTR>(kIds[i]));
      ASSERT_TRUE(tool.has_value());
      EXPECT_EQ(CRect(tool->rect), Rect(i)) << "a hidden button's tool covers nothing";
      anyHidden |= c.hidden[i];
    }
    const ToolBarOverflow& record = bar.GetOverflow();
    EXPECT_EQ(record.firstHiddenId, c.first);
    EXPECT_EQ(record.lastHiddenId, c.last);
    const CRect at(c.width - 20, 3, c.width, 29);  // 26 high in 32
    EXPECT_EQ(CRect(record.buttonRect), at);
    EXPECT_EQ(bar.OverflowButton().IsWindowVisible() != FALSE, anyHidden);
    CRect placed;
    bar.OverflowButton().GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(placed, at);
    EXPECT_EQ(bar.GetBarRect().right, c.hidden[2] ? 0 : Rect(2).right);
  }
}

TEST_F(ToolBar, TheOverflowButtonReportsTheHiddenRange) {
  bar.SetOverflow(TRUE);
  Resize(Rect(0).right + 20);
  ASSERT_TRUE(bar.OverflowButton().IsWindowVisible());
  EXPECT_EQ(bar.OverflowButton().GetDlgCtrlID(), 1000);
  EXPECT_TRUE((bar.OverflowButton().GetStyle() & 0xF) == BS_OWNERDRAW);

  ClickAt(bar.OverflowButton(), 5, 5);
  ASSERT_EQ(host.Count(WM_TOOLBAR_OVERFLOW), 1);
  EXPECT_TRUE(host.Commands().empty()) << "the bar keeps the overflow button's own click";
  for (const Posted& p : host.posted) {
    if (p.message != WM_TOOLBAR_OVERFLOW) continue;
    EXPECT_EQ(reinterpret_cast<CMyToolBar*>(p.wParam), &bar);
    const auto* record = reinterpret_cast<const ToolBarOverflow*>(p.lParam);
    EXPECT_EQ(record, &bar.GetOverflow()) << "the bar's own record, valid while it lives";
    EXPECT_EQ(record->firstHiddenId, 1012);
    EXPECT_EQ(record->lastHiddenId, 2000);
  }

}

// Left, middle and right slices of the state's look, the icon at the left.
TEST_F(ToolBar, PaintsTheSlicesOfEachState) {
  struct Case {
    int state;
    int firstFrame;
  };
  const Case cases[] = {{0, 0}, {1, 3}, {2, 6}, {3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    bar.FindButton(1012)->state = c.state;
    bar.Invalidate(FALSE);
    Pump();
    const Pixels shown = Pixels::OfWindow(bar);
    const CRect r = Rect(1);
    EXPECT_EQ(shown.At(r.left + 1, r.top + 1), kSkin[c.firstFrame]);
    EXPECT_EQ(shown.At(r.left + 20, r.top + 1), kSkin[c.firstFrame + 1]);
    EXPECT_EQ(shown.At(r.right - 2, r.top + 1), kSkin[c.firstFrame + 2]);
    EXPECT_EQ(shown.At(r.left + 8, r.top + 4 + 8), RGB(0, 160, 0)) << "icon 1";
    EXPECT_EQ(shown.At(Rect(0).left + 8, r.top + 12), RGB(200, 0, 0)) << "icon 0 of the first button";
    EXPECT_EQ(shown.At(r.left + 1, 1), RGB(255, 255, 255)) << "the background above the skin";
  }
}

}  // namespace
