// The watch-list dialog on a recorder standing in for the price engine: its
// rows (newest first, drawn by the program), what a press does where, the
// cursor, Enter, and its header.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser_ids.h"
#include "cut_price_dlg.h"
#include "price_watch_test_support.h"
#include "ui_fonts.h"
#include "win/input.h"
#include "win/list_view.h"

namespace {

using namespace price_watch_test;

using Dialog = Scripted<CCutPriceDlg>;

// The point x pixels into column's cell on row, in the list's client area.
CPoint CellPoint(Dialog& d, int row, int column, int x) {
  CRect cell;
  d.List().GetSubItemRect(row, column, LVIR_BOUNDS, cell);
  CRect header;
  d.List().GetHeaderCtrl()->GetItemRect(column, &header);
  return CPoint(header.left + x, cell.top + cell.Height() / 2);
}

void Press(Dialog& d, CPoint point) {
  d.List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  d.List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

HCURSOR CursorOver(Dialog& d, CPoint point) {
  d.List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
  return ::GetCursor();
}

class CutPriceDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    actions.items = {MakeItem(u"http://127.0.0.1/1", u"第一件", 10.0), MakeItem(u"http://127.0.0.1/2", u"第二件", 20.0),
                     MakeItem(u"http://127.0.0.1/3", u"第三件", 30.0)};
    for (DWORD i = 0; i < actions.items.size(); ++i) actions.items[i].Id = i + 1;
    actions.items[1].BasePrice = 15.0;
  }
  INT_PTR Run(std::vector<Dialog::Step> steps) {
    Dialog dialog(std::move(steps), actions, &host);
    return dialog.DoModal();
  }

  RecordingActions actions;
  Host host{800, 500};
};

TEST_F(CutPriceDlg, ReadsTheListOnceAndShowsItNewestFirst) {
  std::vector<std::u16string> titles, thresholds;
  Run({[&](Dialog& d) {
    for (int row = 0; row < d.List().GetItemCount(); ++row) {
      titles.push_back(std::u16string(d.List().GetItemText(row, kTitleColumn)));
      thresholds.push_back(std::u16string(d.List().GetItemText(row, kThresholdColumn)));
    }
    d.EndDialog(0);
  }});
  EXPECT_EQ(actions.listReads, 1);
  EXPECT_EQ(titles, (std::vector<std::u16string>{u"第三件", u"第二件", u"第一件"}));
  EXPECT_EQ(thresholds, (std::vector<std::u16string>{u"降价就通知", u"15.00元", u"降价就通知"}));
}

TEST_F(CutPriceDlg, OpensAtTheTemplatesSizeWithItsListBelowTheTexts) {
  CRect client, list, header;
  Run({[&](Dialog& d) {
    d.GetClientRect(&client);
    d.List().GetWindowRect(&list);
    d.ScreenToClient(&list);
    d.List().GetHeaderCtrl()->GetWindowRect(&header);
    d.EndDialog(0);
  }});
  EXPECT_EQ(client.Size(), CSize(719, 436));
  EXPECT_EQ(list.top, 52);
  EXPECT_EQ(header.Height(), 23) << "the header's own layout through its subclass";
}

// A press before any move over the list: the column map is built then.
// (Every offset of the cells is the cells' own test.)
TEST_F(CutPriceDlg, APressOnTheNewestRowOpensOrRemovesItsItemByWhereItFalls) {
  struct Case {
    const char* name;
    int column;
    int x;
    int opened;
    int removed;
  };
  const Case cases[] = {{"title", kTitleColumn, 20, 1, 0},        {"site", kSiteColumn, 20, 0, 0},
                        {"remove", kActionsColumn, 4, 0, 1},      {"between", kActionsColumn, 35, 0, 0},
                        {"view", kActionsColumn, 64, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    actions.removed.clear();
    host.opened.clear();
    int rowsAfter = 0;
    Run({[&](Dialog& d) {
      Press(d, CellPoint(d, 0, c.column, c.x));
      rowsAfter = d.List().GetItemCount();
      d.EndDialog(0);
    }});
    EXPECT_EQ(static_cast<int>(host.opened.size()), c.opened);
    if (c.opened) {
      EXPECT_EQ(host.opened.back(), u"http://127.0.0.1/3");
    }
    ASSERT_EQ(static_cast<int>(actions.removed.size()), c.removed);
    if (c.removed) {
      EXPECT_EQ(actions.removed[0], u"http://127.0.0.1/3");
    }
    EXPECT_EQ(rowsAfter, 3 - c.removed);
  }
}

TEST_F(CutPriceDlg, RowsKeepTheirAddressWhateverTheirIdentifier) {
  // Another read gave the same items other identifiers: a row still opens
  // and removes its own address.
  actions.items[2].Id = 700;
  Run({[&](Dialog& d) {
    Press(d, CellPoint(d, 1, kActionsColumn, 10));
    Press(d, CellPoint(d, 0, kActionsColumn, 50));
    d.EndDialog(0);
  }});
  ASSERT_EQ(actions.removed.size(), 1u);
  EXPECT_EQ(actions.removed[0], u"http://127.0.0.1/2");
  EXPECT_EQ(host.opened.back(), u"http://127.0.0.1/3");
}

TEST_F(CutPriceDlg, HandOverTitlesAndTheTwoActionsOnly) {
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  std::vector<HCURSOR> seen;
  Run({[&](Dialog& d) {
    for (auto [column, x] : {std::pair{kTitleColumn, 10}, {kSiteColumn, 10}, {kActionsColumn, 10},
                             {kActionsColumn, 35}, {kActionsColumn, 50}, {kCurrentPriceColumn, 10}})
      seen.push_back(CursorOver(d, CellPoint(d, 0, column, x)));
    d.EndDialog(0);
  }});
  EXPECT_EQ(seen, (std::vector<HCURSOR>{hand, arrow, hand, arrow, hand, arrow}));
}

TEST_F(CutPriceDlg, EnterOnTheListNeverClosesIt) {
  const INT_PTR result = Run({[](Dialog& d) {
                                d.List().SetFocus();
                                d.List().PostMessage(WM_KEYDOWN, VK_RETURN, 0);
                                d.List().PostMessage(WM_KEYUP, VK_RETURN, 0);
                              },
                              [](Dialog& d) { d.EndDialog(7); }});
  EXPECT_EQ(result, 7);
  EXPECT_TRUE(actions.removed.empty());
}

TEST_F(CutPriceDlg, ItsCloseButtonEndsItWithZero) {
  EXPECT_EQ(Run({[](Dialog& d) { d.Click(CCutPriceDlg::kCloseId); }, [](Dialog& d) { d.EndDialog(9); }}), 0);
}

}  // namespace
