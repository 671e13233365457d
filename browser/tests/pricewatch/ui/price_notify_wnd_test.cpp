// The offer bar: what it offers, what a confirmation watches (nothing that
// could never be reported), its success text and its hiding.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "afx/window_dcs.h"
#include "browser_ids.h"
#include "price_notify_wnd.h"
#include "price_watch_test_support.h"
#include "ui_fonts.h"
#include "ui_messages.h"

namespace {

using namespace price_watch_test;

constexpr char16_t kHint[] = u"输入您愿意买的价格";
CKQIEView* const kView = reinterpret_cast<CKQIEView*>(0x1000);

class PriceNotifyWnd : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    ASSERT_TRUE(bar.Create(&host));
    bar.MoveWindow(2, 100, 1096, 40);
    Pump();
  }
  void TearDown() override {
    bar.DestroyWindow();
    Pump();
  }

  void Offer(double current = 99.0) {
    bar.ShowPriceNotify(MakeItem(u"http://127.0.0.1/item/1", u"商品", current), kView);
    Pump();
  }
  void Click(UINT id, CWnd& button) {
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    Pump();
  }
  std::u16string BoxText() {
    CString text;
    bar.PriceBox().GetWindowText(text);
    return std::u16string(text);
  }
  std::u16string LinkText() { return std::u16string(bar.Link().GetText()); }

  RecordingActions actions;
  Host host{1100, 200};
  CPriceNotifyWnd bar{actions};
};

TEST_F(PriceNotifyWnd, IsAHiddenChildUntilOffered) {
  EXPECT_FALSE(bar.IsWindowVisible());
  EXPECT_TRUE(bar.GetStyle() & WS_CHILD);
  EXPECT_EQ(bar.GetParent(), &host);
  CString title;
  bar.GetWindowText(title);
  EXPECT_EQ(std::u16string(title), u"PriceNotifyWnd");
}

TEST_F(PriceNotifyWnd, OfferShowsTheBoxWithItsHintAndCountsTheWatchedGoods) {
  actions.items = {MakeItem(u"a", u"a", 1), MakeItem(u"b", u"b", 2)};
  Offer();
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_FALSE(bar.InSuccessMode());
  for (CWnd* child : {static_cast<CWnd*>(&bar.PriceBox()), static_cast<CWnd*>(&bar.ConfirmButton()),
                      static_cast<CWnd*>(&bar.AnyDropButton()), static_cast<CWnd*>(&bar.CloseButton()),
                      static_cast<CWnd*>(&bar.Link())})
    EXPECT_TRUE(child->IsWindowVisible());
  EXPECT_EQ(BoxText(), kHint);
  EXPECT_TRUE(bar.PriceBox().IsShowingHint());
  EXPECT_EQ(LinkText(), u"您已收藏 2 款降价通知商品");
  EXPECT_EQ(PlaceIn(bar, bar.Link()).right, 1096 - 44);
}

TEST_F(PriceNotifyWnd, HintIsGreyAndTypedTextBlack) {
  Offer();
  CClientDC dc(&bar.PriceBox());
  bar.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(bar.PriceBox().m_hWnd));
  EXPECT_EQ(::GetTextColor(dc.m_hDC), RGB(160, 160, 160));
  bar.PriceBox().SetHintFlag(FALSE);
  bar.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(bar.PriceBox().m_hWnd));
  EXPECT_EQ(::GetTextColor(dc.m_hDC), RGB(0, 0, 0));
}

TEST_F(PriceNotifyWnd, ANewOfferLeavesTheBoxAloneWhileTheUserTypes) {
  Offer();
  bar.PriceBox().SetFocus();
  bar.PriceBox().SetWindowText(u"77");
  Offer();
  EXPECT_EQ(BoxText(), u"77");
  host.SetFocus();
  Pump();
  Offer();
  EXPECT_EQ(BoxText(), kHint);
}

// Which texts are reportable is the wished price's own test; here the bar
// acts on its answer.
TEST_F(PriceNotifyWnd, ConfirmWatchesOnlyAReportablePrice) {
  struct Case {
    const char16_t* typed;  // null: the hint stays
    std::optional<double> watched;
  };
  const Case cases[] = {{nullptr, std::nullopt}, {u"abc", std::nullopt}, {u"88.5abc", 88.5}, {u"150", 99.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed ? std::u16string(c.typed).size() : 0);
    actions.added.clear();
    actions.forgotten.clear();
    Offer(99.0);
    if (c.typed) {
      bar.PriceBox().SetWindowText(c.typed);
      bar.PriceBox().SetHintFlag(FALSE);
    }
    Click(CPriceNotifyWnd::kConfirmId, bar.ConfirmButton());
    EXPECT_EQ(bar.InSuccessMode(), c.watched.has_value());
    if (c.watched) {
      ASSERT_EQ(actions.added.size(), 1u);
      EXPECT_EQ(actions.added[0].price, *c.watched);
      EXPECT_EQ(actions.added[0].url, u"http://127.0.0.1/item/1");
      EXPECT_EQ(actions.forgotten, std::vector<CKQIEView*>{kView});
    } else {
      EXPECT_TRUE(actions.added.empty());
      EXPECT_TRUE(bar.PriceBox().IsWindowVisible());
      EXPECT_EQ(BoxText(), kHint);
      EXPECT_TRUE(bar.PriceBox().IsShowingHint());
      EXPECT_TRUE(actions.forgotten.empty());
    }
  }
}

TEST_F(PriceNotifyWnd, AnyDropWatchesAtTheCurrentPrice) {
  Offer(123.45);
  Click(CPriceNotifyWnd::kAnyDropId, bar.AnyDropButton());
  ASSERT_EQ(actions.added.size(), 1u);
  EXPECT_EQ(actions.added[0].price, 123.45);
}

TEST_F(PriceNotifyWnd, SuccessHidesTheOfferKeepsTheLinkCountAndHidesAfterFourSeconds) {
  Offer();
  Click(CPriceNotifyWnd::kAnyDropId, bar.AnyDropButton());
  EXPECT_TRUE(bar.InSuccessMode());
  EXPECT_EQ(LinkText(), u"您已收藏 0 款降价通知商品");
  EXPECT_FALSE(bar.PriceBox().IsWindowVisible());
  EXPECT_FALSE(bar.ConfirmButton().IsWindowVisible());
  EXPECT_FALSE(bar.AnyDropButton().IsWindowVisible());
  EXPECT_FALSE(bar.Link().IsWindowVisible());
  EXPECT_TRUE(bar.CloseButton().IsWindowVisible());
  PumpFor(3500);
  EXPECT_TRUE(bar.IsWindowVisible());
  PumpFor(1000);
  EXPECT_FALSE(bar.IsWindowVisible());
}

TEST_F(PriceNotifyWnd, ANewOfferDuringSuccessReturnsToOfferModeAndStays) {
  Offer();
  Click(CPriceNotifyWnd::kAnyDropId, bar.AnyDropButton());
  PumpFor(2000);
  Offer();
  EXPECT_FALSE(bar.InSuccessMode());
  EXPECT_EQ(LinkText(), u"您已收藏 1 款降价通知商品");
  PumpFor(3000);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_TRUE(bar.PriceBox().IsWindowVisible());
}

TEST_F(PriceNotifyWnd, CloseHidesAndForgetsTheView) {
  Offer();
  Click(CPriceNotifyWnd::kCloseId, bar.CloseButton());
  EXPECT_FALSE(bar.IsWindowVisible());
  ASSERT_EQ(actions.forgotten.size(), 1u);
  EXPECT_EQ(actions.forgotten[0], kView);
  EXPECT_TRUE(actions.added.empty());
}

TEST_F(PriceNotifyWnd, TheLinkOpensTheWatchList) {
  Offer();
  bar.SendMessage(WM_LINK_CLICKED, reinterpret_cast<WPARAM>(bar.Link().m_hWnd), 0);
  Pump();
  EXPECT_EQ(host.Commands(), std::vector<int>{ID_SHOW_CUTPRICE_DLG});
}

TEST_F(PriceNotifyWnd, ChildrenSitWhereTheSkinLeavesRoomForThem) {
  Offer();
  auto placed = [&](CWnd& child) { return PlaceIn(bar, child); };
  EXPECT_EQ(placed(bar.PriceBox()), CRect(108, 15, 249, 27));
  EXPECT_EQ(placed(bar.ConfirmButton()), CRect(258, 7, 344, 33));
  EXPECT_EQ(placed(bar.AnyDropButton()), CRect(512, 7, 654, 33));
  EXPECT_EQ(placed(bar.CloseButton()), CRect(1096 - 24, 15, 1096 - 13, 26));
}

}  // namespace
