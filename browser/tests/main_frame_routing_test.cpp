// The main window's routing of the loop's messages: the wheel to the window
// under the pointer, the tab row's mouse messages to the tab strip only
// while no window holds the capture and only for the window's own windows,
// and the site chooser taking every mouse message while it is open. The
// pointer moves as the desktop would move it; each queued message is
// offered to the main window's pre-translation first, as the loop does.
#include <gtest/gtest.h>

#include "browser_ids.h"
#include "main_frame_test_support.h"
#include "pointer_input.h"
#include "screen_outline.h"
#include "win/input.h"
#include "win/window_state.h"

namespace browser_test {
namespace {

CMainFrame* g_routed = nullptr;

BOOL RouteThroughFrame(MSG* msg) { return g_routed && g_routed->PreTranslateMessage(msg); }

// A child or pop-up that counts the mouse messages it gets.
class CountingWindow : public CWnd {
 public:
  int presses = 0;
  int releases = 0;
  int wheels = 0;
  WPARAM wheelParam = 0;
  LPARAM wheelPoint = 0;

  BOOL Make(DWORD style, const CRect& rect, CWnd* parent) {
    return CreateEx(0, AfxRegisterWndClass(0), u"", style, rect.left, rect.top, rect.Width(), rect.Height(),
                    parent ? parent->m_hWnd : nullptr, nullptr);
  }

 protected:
  afx_msg void OnLButtonDown(UINT, CPoint) { ++presses; }
  afx_msg void OnLButtonUp(UINT, CPoint) { ++releases; }
  afx_msg LRESULT OnWheel(WPARAM wParam, LPARAM lParam) {
    ++wheels;
    wheelParam = wParam;
    wheelPoint = lParam;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWindow, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_MESSAGE(WM_MOUSEWHEEL, OnWheel)
END_MESSAGE_MAP()

class MainFrameRouting : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    g_routed = frame.get();
    quorla_test::SetMessageFilter(RouteThroughFrame);
  }
  void TearDown() override {
    quorla_test::SetMessageFilter(nullptr);
    g_routed = nullptr;
    MainFrameTest::TearDown();
  }

  // A point of the tab row (the strip's first 27 pixels), in screen
  // coordinates, away from the home button.
  POINT TabRow() const {
    CRect strip;
    frame->Tabs().GetWindowRect(&strip);
    return POINT{strip.left + strip.Width() / 2, strip.top + 10};
  }
};

TEST_F(MainFrameRouting, AReleaseOverTheTabRowReachesTheButtonThatHoldsTheCapture) {
  CMyImageBar& bar = frame->NavigationButtons();
  const auto* back = bar.GetButton(0);
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->id, static_cast<int>(ID_NAVIGATE_BACK));
  const POINT onBack = quorla_test::ScreenPoint(bar.m_hWnd, back->rect.CenterPoint().x, back->rect.CenterPoint().y);

  quorla_test::PointerMove(hwnd, onBack);
  quorla_test::PointerPress(hwnd, onBack);
  ASSERT_EQ(GetCapture(), bar.m_hWnd) << "the pressed button holds the capture";
  quorla_test::PointerMove(hwnd, TabRow(), true);
  quorla_test::PointerRelease(hwnd, TabRow());
  EXPECT_EQ(GetCapture(), nullptr) << "the release reached the bar, which let the capture go";
  EXPECT_EQ(bar.GetButton(0)->state, 0) << "released outside: back to normal, no click";
  EXPECT_TRUE(frame->navigationCommands.empty());

  // The next click on the button is a click, not the end of the old press.
  quorla_test::PointerMove(hwnd, onBack);
  quorla_test::PointerPress(hwnd, onBack);
  quorla_test::PointerRelease(hwnd, onBack);
  quorla_test::DispatchPending();
  ASSERT_EQ(frame->navigationCommands.size(), 1u);
  EXPECT_EQ(frame->navigationCommands[0], ID_NAVIGATE_BACK);
}

TEST_F(MainFrameRouting, AReleaseOverTheTabRowEndsTheFramesSizingDrag) {
  RestoreTo(100, 80, 1200, 800);
  ASSERT_EQ(WindowRect(), CRect(100, 80, 1300, 880));
  const POINT topEdge = ScreenPoint(600, 1);
  quorla_test::PointerMove(hwnd, topEdge);
  quorla_test::PointerPress(hwnd, topEdge);
  ASSERT_EQ(GetCapture(), hwnd);
  ASSERT_TRUE(frame->Drag().active());
  const POINT row = TabRow();
  quorla_test::PointerMove(hwnd, row, true);
  quorla_test::PointerRelease(hwnd, row);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(frame->Drag().active());
  EXPECT_EQ(CRect(quorla_test::InvertedScreenBounds()), CRect()) << "no outline left on the screen";
  EXPECT_EQ(WindowRect(), CRect(100, row.y, 1300, 880)) << "the top edge went where the button came up";
}

// Over the tab row, a child of the window (as a page's pop-up once adopted
// would be before it is placed) loses its clicks to the strip; a window of
// its own keeps them.
TEST_F(MainFrameRouting, TabRowClicksGoToTheStripOnlyForTheWindowsOwnChildren) {
  const POINT row = TabRow();
  for (bool child : {true, false}) {
    SCOPED_TRACE(child ? "a child" : "a window of its own");
    CountingWindow over;
    CRect rect(row.x - 50, row.y - 5, row.x + 50, row.y + 5);
    if (child) frame->ScreenToClient(&rect);
    ASSERT_TRUE(over.Make((child ? WS_CHILD : WS_POPUP) | WS_VISIBLE, rect, child ? frame.get() : nullptr));
    over.BringWindowToTop();
    const HWND target = child ? hwnd : over.m_hWnd;
    quorla_test::PointerMove(target, row);
    quorla_test::PointerPress(target, row);
    quorla_test::PointerRelease(target, row);
    EXPECT_EQ(over.presses, child ? 0 : 1);
    EXPECT_EQ(over.releases, child ? 0 : 1);
  }
}

TEST_F(MainFrameRouting, TheWheelGoesToTheWindowUnderThePointer) {
  CountingWindow child;
  ASSERT_TRUE(child.Make(WS_CHILD | WS_VISIBLE, CRect(400, 300, 600, 400), frame.get()));
  child.BringWindowToTop();
  const POINT under = quorla_test::ScreenPoint(child.m_hWnd, 20, 30);
  // Queued to the focus window, wherever that is.
  const WPARAM delta = MAKEWPARAM(0, static_cast<WORD>(-120));
  const LPARAM point = MAKELPARAM(static_cast<WORD>(under.x), static_cast<WORD>(under.y));
  MSG wheel{hwnd, WM_MOUSEWHEEL, delta, point, 0, under};
  EXPECT_TRUE(frame->PreTranslateMessage(&wheel));
  EXPECT_EQ(child.wheels, 1);
  EXPECT_EQ(child.wheelParam, delta);
  EXPECT_EQ(child.wheelPoint, point);
}

TEST_F(MainFrameRouting, TheOpenSiteChooserTakesEveryMouseMessageAndClosesOnAClickElsewhere) {
  SendMessageW(hwnd, WM_COMMAND, ID_SHOW_SITE_CHOOSER, 0);
  CChooseList& chooser = frame->Chooser();
  ASSERT_TRUE(chooser.IsWindowVisible());
  CountingWindow child;
  ASSERT_TRUE(child.Make(WS_CHILD | WS_VISIBLE, CRect(400, 300, 600, 400), frame.get()));
  const POINT elsewhere = quorla_test::ScreenPoint(child.m_hWnd, 20, 30);
  quorla_test::PointerMove(hwnd, elsewhere);
  quorla_test::PointerPress(hwnd, elsewhere);
  quorla_test::PointerRelease(hwnd, elsewhere);
  quorla_test::DispatchPending();
  EXPECT_EQ(child.presses, 0) << "the chooser had it";
  EXPECT_FALSE(chooser.IsWindowVisible()) << "closed without a choice";
  EXPECT_EQ(chooser.GetSelection(), static_cast<int>(ID_SITE_FIRST));
}

}  // namespace
}  // namespace browser_test
