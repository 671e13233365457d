#include <gtest/gtest.h>

#include <string>

#include "browser_ids.h"
#include "main_frame_test_support.h"
#include "screen_outline.h"
#include "win/gdi_objects.h"
#include "win/icons.h"
#include "win/input.h"
#include "win/regions.h"
#include "win/system_metrics.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace browser_test {
namespace {

CRect WorkArea() {
  CRect area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

using MainFrameWindow = MainFrameTest;

TEST_F(MainFrameWindow, OpensMaximisedOverTheWorkAreaWithoutAFrameOfTheDesktops) {
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  EXPECT_EQ(style & WS_CAPTION, 0u);
  EXPECT_EQ(style & kMainFrameStyle, kMainFrameStyle);
  const CRect window = WindowRect();
  EXPECT_EQ(window, WorkArea());
  EXPECT_EQ(ClientRect().Size(), window.Size()) << "the client is the whole window";
}

TEST_F(MainFrameWindow, IsFoundByItsClassAndCarriesTitleAndIcon) {
  EXPECT_EQ(FindWindowW(kMainFrameClassName, nullptr), hwnd);
  WCHAR title[64] = {};
  GetWindowTextW(hwnd, title, 64);
  EXPECT_EQ(std::u16string(title), u"Quorla购物浏览器");
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
}

// System commands, and the caption buttons' commands, which post theirs.
TEST_F(MainFrameWindow, MiddleCaptionButtonFollowsTheWindowState) {
  struct Step {
    const char* name;
    bool button;  // a caption button's command, else the system command
    WPARAM command;
    int middle;
    bool zoomed;
    bool iconic;
  };
  const Step steps[] = {
      {"restore", false, SC_RESTORE, ID_CAPTION_MAXIMIZE, false, false},
      {"maximise", false, SC_MAXIMIZE, ID_CAPTION_RESTORE, true, false},
      {"restore with the caption's low bits", false, SC_RESTORE | HTCAPTION, ID_CAPTION_MAXIMIZE, false, false},
      {"maximise with low bits", false, SC_MAXIMIZE | 2, ID_CAPTION_RESTORE, true, false},
      {"minimise from maximised", false, SC_MINIMIZE, ID_CAPTION_RESTORE, false, true},
      {"back from minimised comes back maximised", false, SC_RESTORE, ID_CAPTION_RESTORE, true, false},
      {"restore again", false, SC_RESTORE, ID_CAPTION_MAXIMIZE, false, false},
      {"minimise from restored", false, SC_MINIMIZE, ID_CAPTION_MAXIMIZE, false, true},
      {"back from minimised comes back restored", false, SC_RESTORE, ID_CAPTION_MAXIMIZE, false, false},
      {"the maximise button", true, ID_CAPTION_MAXIMIZE, ID_CAPTION_RESTORE, true, false},
      {"the restore button", true, ID_CAPTION_RESTORE, ID_CAPTION_MAXIMIZE, false, false},
      {"the minimise button", true, ID_CAPTION_MINIMIZE, ID_CAPTION_MAXIMIZE, false, true},
  };
  EXPECT_EQ(MiddleCaptionButton(), ID_CAPTION_RESTORE) << "opened maximised";
  EXPECT_EQ(frame->CaptionButtons().GetButtonCount(), 3);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.button) {
      SendMessageW(hwnd, WM_COMMAND, step.command, 0);
      EXPECT_NE(IsZoomed(hwnd) != FALSE || IsIconic(hwnd) != FALSE, step.zoomed || step.iconic) << "posted, not done";
      Drain();
    } else {
      SysCommand(step.command);
    }
    EXPECT_EQ(MiddleCaptionButton(), step.middle);
    EXPECT_EQ(IsZoomed(hwnd) != FALSE, step.zoomed);
    EXPECT_EQ(IsIconic(hwnd) != FALSE, step.iconic);
  }
}

TEST_F(MainFrameWindow, ARunningBrowserAskedForItsWindowComesBackFromMinimised) {
  SysCommand(SC_MINIMIZE);
  ASSERT_TRUE(IsIconic(hwnd));
  EXPECT_EQ(SendMessageW(hwnd, WM_RESTORE_MAIN_WINDOW, 0, 0), 1);
  Drain();
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_EQ(SendMessageW(hwnd, WM_RESTORE_MAIN_WINDOW, 0, 0), 1) << "a visible window answers too";
  Drain();
  EXPECT_TRUE(IsZoomed(hwnd));
}

// The zones themselves are the geometry's; here the window answers with
// them at its real size, restored and maximised: the hit test, the cursor
// of a move and the region.
TEST_F(MainFrameWindow, HitTestCursorAndRegionFollowTheZones) {
  struct Case {
    POINT client;  // in a window of 1000 by 700; edges measured from its own size
    int restored, maximised;
    LRESULT hit;
    LPCWSTR cursor;  // restored; maximised always the arrow
  };
  const Case cases[] = {
      {{10, 10}, 5, 5, HTCLIENT, IDC_ARROW},      {{500, 10}, 2, 2, HTCAPTION, IDC_ARROW},
      {{24, 3}, 2, 2, HTCAPTION, IDC_ARROW},      {{1, 300}, 10, 1, HTCLIENT, IDC_SIZEWE},
      {{500, 1}, 12, 1, HTCLIENT, IDC_SIZENS},    {{998, 698}, 17, 1, HTCLIENT, IDC_SIZENWSE},
      {{998, 1}, 14, 1, HTCLIENT, IDC_SIZENESW},  {{500, 300}, 1, 1, HTCLIENT, IDC_ARROW},
  };
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (bool maximised : {true, false}) {
    SCOPED_TRACE(maximised ? "maximised" : "restored");
    if (!maximised) RestoreTo(40, 30, 1000, 700);
    const CRect client = ClientRect();
    for (const Case& c : cases) {
      const int x = c.client.x > 900 ? client.Width() - (1000 - c.client.x) : c.client.x;
      const int y = c.client.y > 600 ? client.Height() - (700 - c.client.y) : c.client.y;
      SCOPED_TRACE(::testing::Message() << x << "," << y);
      EXPECT_EQ(frame->FrameHitTest(CPoint(x, y)), maximised ? c.maximised : c.restored);
      const CPoint screen = ScreenPoint(x, y);
      EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), c.hit);
      Mouse(WM_MOUSEMOVE, x, y);
      EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, maximised ? IDC_ARROW : c.cursor));
    }
    // Only a restored window has its top corners cut.
    ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
    const int right = client.Width() - 1, bottom = client.Height() - 1;
    EXPECT_EQ(PtInRegion(region, 0, 0) != FALSE, maximised);
    EXPECT_EQ(PtInRegion(region, right, 0) != FALSE, maximised);
    EXPECT_TRUE(PtInRegion(region, 1, 0) && PtInRegion(region, 0, 1) && PtInRegion(region, right, bottom));
    EXPECT_FALSE(PtInRegion(region, right + 1, 1));
  }
  DeleteObject(region);
}

TEST_F(MainFrameWindow, TheWindowMenuSpotOpensTheWindowMenuOnEitherButton) {
  struct Case {
    UINT message;
    POINT client;
    size_t menus;
  };
  const Case cases[] = {
      // A right press first: no left press is needed to know the spot.
      {WM_RBUTTONDOWN, {10, 10}, 1},
      {WM_LBUTTONDOWN, {10, 10}, 1},
      {WM_RBUTTONDOWN, {4, 4}, 1},
      {WM_RBUTTONDOWN, {20, 20}, 0},
      {WM_RBUTTONDOWN, {500, 10}, 0},
      {WM_LBUTTONDOWN, {500, 300}, 0},
  };
  for (const Case& c : cases) {
    frame->windowMenus.clear();
    Mouse(c.message, c.client.x, c.client.y, c.message == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON);
    Mouse(c.message + 1, c.client.x, c.client.y);
    Drain();
    ASSERT_EQ(frame->windowMenus.size(), c.menus) << c.client.x << "," << c.client.y;
    if (c.menus) {
      EXPECT_EQ(frame->windowMenus[0], 32) << "as from the space key";
    }
  }
}

// Drags of the edges, from a restored window at (100, 80), 1200 by 800.
class MainFrameDrag : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    RestoreTo(100, 80, 1200, 800);
    ASSERT_EQ(WindowRect(), CRect(100, 80, 1300, 880));
  }
};

TEST_F(MainFrameDrag, EdgesStopAtTheSmallestSizeAndTheOutlineGoesOnRelease) {
  struct Case {
    const char* name;
    POINT press;  // client
    POINT to;     // client, of the window as it was
    CRect result;
  };
  const Case cases[] = {
      {"left edge far right", {1, 400}, {1100, 400}, CRect(390, 80, 1300, 880)},
      {"top edge far down", {600, 1}, {600, 700}, CRect(100, 380, 1300, 880)},
      {"bottom-right corner out", {1198, 798}, {1300, 850}, CRect(100, 80, 1400, 930)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MoveWindow(hwnd, 100, 80, 1200, 800, TRUE);
    Drain();
    Mouse(WM_LBUTTONDOWN, c.press.x, c.press.y, MK_LBUTTON);
    ASSERT_EQ(GetCapture(), hwnd);
    ASSERT_TRUE(frame->Drag().active());
    EXPECT_TRUE(quorla_test::IsScreenPointInverted(POINT{100, 80})) << "the outline of the window";
    Mouse(WM_MOUSEMOVE, c.to.x, c.to.y, MK_LBUTTON);
    const CRect outline = frame->Drag().rect();
    EXPECT_EQ(outline, c.result);
    EXPECT_EQ(WindowRect(), CRect(100, 80, 1300, 880)) << "the window waits for the release";
    EXPECT_EQ(CRect(quorla_test::InvertedScreenBounds()), c.result) << "the outline moved";
    Mouse(WM_LBUTTONUP, c.to.x, c.to.y);
    Drain();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(frame->Drag().active());
    EXPECT_EQ(WindowRect(), c.result);
    EXPECT_EQ(CRect(quorla_test::InvertedScreenBounds()), CRect()) << "the outline was erased once";
  }
}

TEST_F(MainFrameDrag, ACaptureTakenAwayEndsTheDragWithoutOutlineOrResize) {
  WNDCLASSW popupClass{};
  popupClass.lpfnWndProc = DefWindowProcW;
  popupClass.lpszClassName = u"BrowserTestPopup";
  RegisterClassW(&popupClass);
  HWND other = CreateWindowExW(0, u"BrowserTestPopup", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  Mouse(WM_LBUTTONDOWN, 1, 400, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, 300, 400, MK_LBUTTON);
  ASSERT_NE(CRect(quorla_test::InvertedScreenBounds()), CRect());
  SetCapture(other);  // a menu or a pop-up takes the mouse
  Drain();
  EXPECT_FALSE(frame->Drag().active());
  EXPECT_EQ(CRect(quorla_test::InvertedScreenBounds()), CRect()) << "no outline left on the screen";
  // The release now goes elsewhere; a late one here changes nothing.
  ReleaseCapture();
  Mouse(WM_MOUSEMOVE, 500, 400);
  Mouse(WM_LBUTTONUP, 500, 400);
  Drain();
  EXPECT_EQ(WindowRect(), CRect(100, 80, 1300, 880));
  EXPECT_EQ(CRect(quorla_test::InvertedScreenBounds()), CRect()) << "and nothing inverted a second time";
  DestroyWindow(other);
}

TEST_F(MainFrameDrag, NeitherTheCaptionNorTheClientNorAMaximisedWindowsEdgeStartsADrag) {
  for (bool maximised : {false, true}) {
    if (maximised) SysCommand(SC_MAXIMIZE);
    const CRect before = WindowRect();
    for (POINT press : {POINT{500, 10}, POINT{600, 400}, POINT{10, 10}, POINT{1, 400}}) {
      if (!maximised && press.x == 1) continue;
      SCOPED_TRACE(::testing::Message() << press.x << "," << press.y << (maximised ? " maximised" : ""));
      Mouse(WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
      EXPECT_FALSE(frame->Drag().active());
      EXPECT_NE(GetCapture(), hwnd);
      const int to = press.x == 1 ? 300 : press.x;  // the edge is pulled
      Mouse(WM_MOUSEMOVE, to, press.y, MK_LBUTTON);
      Mouse(WM_LBUTTONUP, to, press.y);
      Drain();
      EXPECT_EQ(CRect(quorla_test::InvertedScreenBounds()), CRect());
      EXPECT_EQ(WindowRect(), before);
    }
  }
}

}  // namespace
}  // namespace browser_test
