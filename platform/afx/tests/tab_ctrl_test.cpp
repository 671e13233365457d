#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "pointer_input.h"

namespace {

constexpr UINT kStripId = 10000;
std::vector<std::string> g_calls;

std::string Sel(CTabCtrl& tabs) { return std::to_string(tabs.GetCurSel()); }

// A strip that takes its own selection notifications, as the browser's
// does; whether its changing handler keeps the selection or lets the
// parent see the notification is the test's to say.
class CStrip : public CTabCtrl {
 public:
  BOOL keepSelection = FALSE;
  BOOL passChangingOn = FALSE;

 protected:
  BOOL OnSelChanging(NMHDR* header, LRESULT* result) {
    EXPECT_EQ(header->hwndFrom, m_hWnd);
    g_calls.push_back("strip changing from " + Sel(*this));
    *result = keepSelection;
    return !passChangingOn;
  }
  void OnSelChange(NMHDR*, LRESULT* result) {
    g_calls.push_back("strip change to " + Sel(*this));
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStrip, CTabCtrl)
  ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, OnSelChanging)
  ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

class CFrame : public CWnd {
 public:
  CTabCtrl* strip = nullptr;

 protected:
  void OnChanging(NMHDR*, LRESULT* result) {
    g_calls.push_back("frame changing");
    *result = FALSE;
  }
  void OnChange(NMHDR*, LRESULT*) { g_calls.push_back("frame change"); }
  BOOL OnToolText(UINT id, NMHDR* header, LRESULT*) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = info->szText;
    item.cchTextMax = 80;
    strip->GetItem(static_cast<int>(id) - 1, &item);
    g_calls.push_back("frame tool text " + std::to_string(id));
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrame, CWnd)
  ON_NOTIFY(TCN_SELCHANGING, kStripId, OnChanging)
  ON_NOTIFY(TCN_SELCHANGE, kStripId, OnChange)
  ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolText)
END_MESSAGE_MAP()

class TabCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    ASSERT_TRUE(frame.CreateEx(0, nullptr, u"frame", WS_POPUP | WS_VISIBLE, 0, 0, 700, 300, nullptr, nullptr));
    ASSERT_TRUE(strip.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_FIXEDWIDTH,
                             CRect(10, 40, 690, 290), &frame, kStripId));
    frame.strip = &strip;
    EXPECT_EQ(strip.GetStyle(), 0x56000400u);
    strip.SetItemSize(CSize(180, 27));
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(strip.InsertItem(TCIF_TEXT | TCIF_PARAM, i, (u"page " + std::u16string(1, u'A' + i)).c_str(), 0, 500 + i), i);
    afx_test::Drain();
  }
  void TearDown() override {
    quorla_test::SetMessageFilter(nullptr);
    frame.DestroyWindow();
    afx_test::Drain();
  }
  void Click(int x, int y) {
    const POINT at = quorla_test::ScreenPoint(strip.m_hWnd, x, y);
    quorla_test::PointerPress(strip.m_hWnd, at);
    quorla_test::PointerRelease(strip.m_hWnd, at);
  }

  CFrame frame;
  CStrip strip;
};

TEST_F(TabCtrlTest, APressIsReflectedToTheStripBeforeTheFrameSeesIt) {
  const struct {
    const char* name;
    BOOL keep;
    BOOL passOn;
    int x;
    std::vector<std::string> expected;
    int selection;
  } cases[] = {
      {"the strip takes both", FALSE, FALSE, 200, {"strip changing from 0", "strip change to 1"}, 1},
      {"the strip lets the frame see the question", FALSE, TRUE, 400,
       {"strip changing from 0", "frame changing", "strip change to 2"}, 2},
      {"the strip keeps the selection", TRUE, FALSE, 200, {"strip changing from 0"}, 0},
      {"the selected tab", FALSE, FALSE, 100, {}, 0},
      {"past the last tab", FALSE, FALSE, 560, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    strip.SetCurSel(0);
    strip.keepSelection = c.keep;
    strip.passChangingOn = c.passOn;
    g_calls.clear();
    Click(c.x, 15);
    EXPECT_EQ(g_calls, c.expected);
    EXPECT_EQ(strip.GetCurSel(), c.selection);
  }
}

// The control's own rules are the control's tests'; here the wrapper's
// arguments and answers reach it and come back whole.
TEST_F(TabCtrlTest, TheWrapperPassesArgumentsAndAnswersThrough) {
  EXPECT_EQ(strip.SetItemSize(CSize(64, 30)), CSize(180, 27));
  TCHITTESTINFO hit{{66, 20}, 0};
  EXPECT_EQ(strip.HitTest(&hit), 1);
  CRect rect;
  ASSERT_TRUE(strip.GetItemRect(1, &rect));
  EXPECT_EQ(rect, CRect(66, 2, 130, 32));
  EXPECT_TRUE(strip.SetItemState(1, 0x3000, 0x1000));
  EXPECT_EQ(strip.GetItemState(1, 0x3C01), 0x1000u);
  WCHAR text[32] = u"left over";
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = text;
  item.cchTextMax = 32;
  ASSERT_TRUE(strip.GetItem(2, &item));
  EXPECT_EQ(std::u16string(text), u"page C");
  EXPECT_EQ(item.lParam, 502);
  EXPECT_EQ(strip.SetCurSel(2), 0);
  EXPECT_EQ(strip.InsertItem(0, u"front"), 0);
  EXPECT_EQ(strip.GetCurSel(), 3);
  EXPECT_TRUE(strip.DeleteItem(3));
  EXPECT_EQ(strip.GetItemCount(), 3);
  afx_test::Drain();
  EXPECT_TRUE(g_calls.empty()) << "changes by the program notify nobody";
}

TEST_F(TabCtrlTest, TheTooltipsTextRequestsGoThroughTheStripToTheFrame) {
  CToolTipCtrl tooltip;
  ASSERT_TRUE(tooltip.Create(&frame));
  strip.SetToolTips(&tooltip);
  EXPECT_EQ(strip.GetToolTips(), &tooltip);
  // The strip's tools: tab i is tool i + 1, its text asked for each time.
  for (int i = 0; i < 3; ++i) {
    CRect rect;
    strip.GetItemRect(i, &rect);
    ASSERT_TRUE(strip.GetToolTips()->AddTool(&strip, LPSTR_TEXTCALLBACKW, &rect, static_cast<UINT_PTR>(i + 1)));
  }
  EXPECT_EQ(tooltip.GetToolCount(), 3);
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = tooltip.m_hWnd;
  info.hdr.idFrom = 2;
  info.hdr.code = TTN_GETDISPINFOW;
  info.lpszText = info.szText;
  strip.SendMessage(WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(g_calls, std::vector<std::string>{"frame tool text 2"});
  EXPECT_EQ(std::u16string(info.lpszText), u"page B");
  strip.SetToolTips(nullptr);
  EXPECT_EQ(strip.GetToolTips(), nullptr);
  tooltip.DestroyWindow();
}

}  // namespace
