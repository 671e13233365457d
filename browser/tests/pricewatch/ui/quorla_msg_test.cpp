// The price-drop pop-up: where it opens, what it shows and what its buttons
// and link do.
#include <gtest/gtest.h>

#include <string>

#include "../../ui/pixel_reader.h"
#include "browser_ids.h"
#include "price_watch_test_support.h"
#include "quorla_msg.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "win/system_metrics.h"

namespace {

using namespace price_watch_test;

class QuorlaMsg : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    ASSERT_TRUE(popup.Create(nullptr, &host));
    Pump();
  }
  void TearDown() override {
    popup.DestroyWindow();
    Pump();
  }

  void Show(double previous, double current) {
    ReducePriceItem item = MakeItem(u"http://127.0.0.1/item/7", u"一件降价的商品", current);
    item.PreviousPrice = previous;
    popup.ShowPriceDrop(item);
    Pump();
  }

  RecordingActions actions;
  Host host{300, 200};
  CQuorlaMsg popup{actions};
};

TEST_F(QuorlaMsg, OpensHiddenAlwaysOnTopInTheWorkAreasCorner) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CRect rect;
  popup.GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(work.right - 399, work.bottom - 317, work.right - 2, work.bottom));
  EXPECT_FALSE(popup.IsWindowVisible());
  EXPECT_TRUE(popup.GetExStyle() & WS_EX_TOPMOST);
  EXPECT_TRUE(popup.GetExStyle() & WS_EX_TOOLWINDOW);
  CString title;
  popup.GetWindowText(title);
  EXPECT_EQ(std::u16string(title), u"QuorlaMsg");
  EXPECT_EQ(::FindWindowW(nullptr, u"QuorlaMsg"), popup.m_hWnd);
}

TEST_F(QuorlaMsg, ShowsItsCopyThenMovesTheThresholdAndStaysWithoutATimer) {
  Show(120.0, 99.0);
  EXPECT_TRUE(popup.IsWindowVisible());
  ASSERT_EQ(actions.moved.size(), 1u);
  EXPECT_EQ(std::u16string(actions.moved[0].Url), u"http://127.0.0.1/item/7");
  EXPECT_EQ(actions.moved[0].CurrentPrice, 99.0);
  EXPECT_EQ(popup.Item().PreviousPrice, 120.0);
  PumpFor(1500);
  EXPECT_TRUE(popup.IsWindowVisible());
}

// The old price's strike-through spans exactly its text's width, centred
// in the 112-pixel column that starts at 30.
TEST_F(QuorlaMsg, CrossesOutTheOldPriceAtRow222) {
  struct Case {
    double previous;
    const char16_t* text;
  };
  for (const Case& c : {Case{120.0, u"￥120"}, Case{7.5, u"￥7"}, Case{1e12, u"￥2147483647"}}) {
    SCOPED_TRACE(c.previous);
    Show(c.previous, 1.0);
    CClientDC dc(&popup);
    CFont* before = dc.SelectObject(GetUiFont(kUiFontRegular14));
    const int width = dc.GetTextExtent(CString(c.text)).cx;
    dc.SelectObject(before);
    const int from = (112 - width) / 2 + 30;
    const int to = (width + 112) / 2 + 30;
    const ui_test::Pixels shown = ui_test::Pixels::OfWindow(popup);
    for (int x = from; x < to; ++x) EXPECT_EQ(shown.At(x, 222), RGB(0, 0, 0)) << x;
    EXPECT_NE(shown.At(from - 1, 222), RGB(0, 0, 0));
    EXPECT_NE(shown.At(to, 222), RGB(0, 0, 0));
  }
}

TEST_F(QuorlaMsg, PrintsTheDropInRedAndTheTitleInWhiteInTheirRectangles) {
  Show(120.0, 99.0);
  const ui_test::Pixels shown = ui_test::Pixels::OfWindow(popup);
  // Text is antialiased in grey: its pixels lie between its colour and
  // what is beneath, so they are counted by their leaning.
  auto red = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 90 && GetBValue(c) < 90; };
  auto white = [](COLORREF c) { return GetRValue(c) > 220 && GetGValue(c) > 220 && GetBValue(c) > 220; };
  auto count = [&](auto test, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += test(shown.At(x, y));
    return n;
  };
  EXPECT_GT(count(red, 296, 214, 342, 230), 5);
  EXPECT_EQ(count(red, 0, 41, 397, 214), 0);  // nothing else is red below the header
  EXPECT_GT(count(white, 35, 156, 360, 170), 5);
}

// Open hides and sends the address to the main window, close only hides;
// the link asks for the watch list.
TEST_F(QuorlaMsg, ItsButtonsAndLinkDoTheirOwnThing) {
  for (int id : {CQuorlaMsg::kOpenId, CQuorlaMsg::kCloseId}) {
    SCOPED_TRACE(id);
    host.opened.clear();
    Show(120.0, 99.0);
    CWnd& button = id == CQuorlaMsg::kOpenId ? popup.OpenButton() : popup.CloseButton();
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ(host.opened, id == CQuorlaMsg::kOpenId ? std::vector<std::u16string>{u"http://127.0.0.1/item/7"}
                                                     : std::vector<std::u16string>{});
  }
  EXPECT_TRUE(host.Commands().empty());
  popup.SendMessage(WM_LINK_CLICKED, reinterpret_cast<WPARAM>(popup.Link().m_hWnd), 0);
  Pump();
  EXPECT_EQ(host.Commands(), std::vector<int>{ID_SHOW_CUTPRICE_DLG});
}

TEST_F(QuorlaMsg, ButtonsAndLinkSitWhereTheSkinLeavesRoomForThem) {
  auto placed = [&](CWnd& child) { return PlaceIn(popup, child); };
  EXPECT_EQ(placed(popup.CloseButton()), CRect(370, 7, 391, 27));
  EXPECT_EQ(placed(popup.OpenButton()), CRect(245, 268, 371, 299));
  EXPECT_EQ(placed(popup.Link()).TopLeft(), CPoint(38, 280));
}

}  // namespace
