// The manager's dispatch and painting without a host window: messages are
// handed to ProcessWindowMessage directly and painting goes to memory DCs.
#include "sfwnd/sf_wnd_mgr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "probe_wnd.h"
#include "sfwnd/drawing_objects.h"
#include "sfwnd/fs_bitmap.h"
#include "sfwnd/image_wnd.h"
#include "sfwnd/sf_txt_wnd.h"
#include "sfwnd_test_support.h"
#include "win/messages.h"
#include "win/regions.h"

namespace {

using sfwnd_test::ProbeWnd;
using sfwnd_test::Skin;
using sfwnd_test::Surface;

constexpr int kShown = SFWS_VISIBLE | SFWS_ENABLED;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

struct Dispatch {
  BOOL handled;
  LRESULT result;
};

Dispatch Send(CSFWndMgr& manager, UINT message, LPARAM lParam, WPARAM wParam = 0) {
  LRESULT result = -7;
  BOOL handled = -1;
  const BOOL returned = manager.ProcessWindowMessage(nullptr, message, wParam, lParam, result, handled);
  EXPECT_EQ(returned, handled);
  return Dispatch{handled, result};
}

// A background whose every pixel tells where it came from.
std::uint32_t Pattern(int x, int y) { return 0x400000u | (std::uint32_t(x & 0xFF) << 8) | std::uint32_t(y & 0xFF); }

// The host's part: a background painted from a full-size skin, 1:1, as the
// pop-up paints its own.
class BackgroundMgr : public CSFWndMgr {
 public:
  BackgroundMgr(int width, int height) : m_skin(width, height, 24, [](int x, int y) { return Pattern(x, y); }) {
    m_background.Attach(m_skin.bitmap, 1);
  }
  void PaintBackground(HDC dc, const RECT* rect) override {
    calls.push_back(*rect);
    m_background.DrawEx(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, rect->left,
                        rect->top, rect->right - rect->left, rect->bottom - rect->top, 0);
  }
  std::vector<RECT> calls;

 private:
  Skin m_skin;
  CFSBitmap m_background;
};

TEST(SFWndMgrTest, ListKeepsOrderAndDropsEveryOccurrence) {
  CSFWndMgr manager;
  ProbeWnd a("a", nullptr), b("b", nullptr), c("c", nullptr);
  EXPECT_EQ(manager.AddWnd(nullptr), 0);
  for (CSFWnd* wnd : {&a, &b, &a, &c, &a}) manager.AddWnd(wnd);
  manager.RemoveWnd(&a);
  ASSERT_EQ(manager.GetWnds().size(), 2u);
  EXPECT_EQ(manager.GetWnds()[0], &b);
  EXPECT_EQ(manager.GetWnds()[1], &c);
}

TEST(SFWndMgrTest, RemovedControlsAreNeverCalledAgain) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd hovered("hovered", &journal), held("held", &journal), stays("stays", &journal);
  hovered.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  held.Init(&manager, nullptr, 100, 0, 50, 50, 2, kShown);
  stays.Init(&manager, nullptr, 200, 0, 50, 50, 3, kShown);
  Send(manager, WM_MOUSEMOVE, At(10, 10));
  manager.SetCaptureWnd(&held);
  journal.clear();
  manager.RemoveWnd(&hovered);
  manager.RemoveWnd(&held);
  EXPECT_EQ(manager.GetHoverWnd(), nullptr);
  EXPECT_EQ(manager.GetCaptureWnd(), nullptr);
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}) Send(manager, message, At(210, 10));
  EXPECT_EQ(journal, "stays.enter(10,10) stays.move(10,10) stays.up(10,10) ");
}

TEST(SFWndMgrTest, HitTestingFollowsListOrderVisibilityAndEnabling) {
  CSFWndMgr manager;
  ProbeWnd a("a", nullptr), b("b", nullptr), hidden("hidden", nullptr), disabled("disabled", nullptr);
  a.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  b.Init(&manager, nullptr, 25, 25, 50, 50, 2, kShown);
  hidden.Init(&manager, nullptr, 100, 0, 50, 50, 3, SFWS_ENABLED);
  disabled.Init(&manager, nullptr, 100, 50, 50, 50, 4, SFWS_VISIBLE);
  struct Case {
    int x, y;
    CSFWnd* expected;
  };
  const Case cases[] = {
      {30, 30, &a}, {0, 0, &a},           {49, 49, &a},          {50, 50, &b},
      {60, 60, &b}, {74, 74, &b},         {75, 75, nullptr},     {120, 20, nullptr},
      {120, 70, nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(manager.HitTest(POINT{c.x, c.y}), c.expected) << c.x << "," << c.y;
  // Re-registering the first control puts it behind the second.
  manager.RemoveWnd(&a);
  manager.AddWnd(&a);
  EXPECT_EQ(manager.HitTest(POINT{30, 30}), &b);
  EXPECT_EQ(manager.HitTest(POINT{10, 10}), &a);
}

TEST(SFWndMgrTest, PressGoesToTheEarlierOfTwoOverlappingControls) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd a("a", &journal), b("b", &journal);
  a.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  b.Init(&manager, nullptr, 25, 25, 50, 50, 2, kShown);
  EXPECT_TRUE(Send(manager, WM_LBUTTONDOWN, At(30, 40)).handled);
  EXPECT_TRUE(Send(manager, WM_LBUTTONDBLCLK, At(60, 40)).handled);
  EXPECT_TRUE(Send(manager, WM_LBUTTONUP, At(26, 26)).handled);
  EXPECT_EQ(journal, "a.down(30,40) b.dblclk(35,15) a.up(26,26) ");
}

TEST(SFWndMgrTest, PressIsHandledOnlyWhenTheControlConsumesIt) {
  Skin skin(4, 4, 24, [](int, int) { return 0x123456u; });
  CFSBitmap bitmap;
  bitmap.Attach(skin.bitmap, 1);
  CSFWndMgr manager;
  CImageWnd image;
  image.Init(&manager, nullptr, 0, 0, 40, 40, 0, kShown);
  image.SetBitmap(&bitmap);
  ProbeWnd refuses("refuses", nullptr), consumes("consumes", nullptr);
  refuses.pressResult = 0;
  consumes.pressResult = 5;
  refuses.Init(&manager, nullptr, 100, 0, 40, 40, 0, kShown);
  consumes.Init(&manager, nullptr, 200, 0, 40, 40, 0, kShown);
  CSFTxtWnd label;  // a plain label consumes the press too
  label.Init(&manager, nullptr, 300, 0, 40, 40, 0, kShown);
  struct Case {
    int x;
    BOOL handled;
    LRESULT result;
  };
  // The label last: it keeps the capture, so it would get every later press.
  const Case cases[] = {{10, FALSE, -7}, {110, FALSE, -7}, {210, TRUE, 5}, {500, FALSE, -7}, {310, TRUE, 1}};
  for (const Case& c : cases) {
    const Dispatch d = Send(manager, WM_LBUTTONDOWN, At(c.x, 10));
    EXPECT_EQ(d.handled, c.handled) << c.x;
    EXPECT_EQ(d.result, c.result) << c.x;
  }
}

TEST(SFWndMgrTest, PointsAreRelativeOnlyAtOrRightBelowTheCorner) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd probe("p", &journal);
  probe.Init(&manager, nullptr, 10, 20, 30, 30, 1, kShown);
  Send(manager, WM_LBUTTONDOWN, At(15, 27));
  EXPECT_EQ(journal, "p.down(5,7) ");
  // Under capture the control gets points anywhere.
  manager.SetCaptureWnd(&probe);
  journal.clear();
  for (POINT point : {POINT{5, 30}, POINT{12, 3}, POINT{10, 20}, POINT{90, 90}})
    Send(manager, WM_LBUTTONUP, At(point.x, point.y));
  EXPECT_EQ(journal, "p.up(5,30) p.up(12,3) p.up(0,0) p.up(80,70) ");
}

TEST(SFWndMgrTest, MousePositionIsReadAsUnsignedWords) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd left("left", &journal), far("far", &journal);
  // Signed reading would put x = -5 into the first, unsigned into the second.
  left.Init(&manager, nullptr, -10, 0, 40, 40, 1, kShown);
  far.Init(&manager, nullptr, 65500, 0, 100, 40, 2, kShown);
  EXPECT_TRUE(Send(manager, WM_LBUTTONDOWN, At(-5, 10)).handled);
  EXPECT_EQ(journal, "far.down(31,10) ");
}

TEST(SFWndMgrTest, HoverFollowsTheMouseWithoutCapture) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd a("a", &journal), b("b", &journal);
  a.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  b.Init(&manager, nullptr, 100, 0, 50, 50, 2, kShown);
  b.moveResult = 1;
  struct Step {
    int x;
    const char* journal;
    BOOL handled;
    CSFWnd* hover;
  };
  const Step steps[] = {
      {10, "a.enter(10,10) a.move(10,10) ", FALSE, &a},
      {20, "a.move(20,10) ", FALSE, &a},
      {110, "a.leave b.enter(10,10) b.move(10,10) ", TRUE, &b},
      {300, "b.leave ", FALSE, nullptr},
      {310, "", FALSE, nullptr},
  };
  for (const Step& step : steps) {
    journal.clear();
    EXPECT_EQ(Send(manager, WM_MOUSEMOVE, At(step.x, 10)).handled, step.handled) << step.x;
    EXPECT_EQ(journal, step.journal);
    EXPECT_EQ(manager.GetHoverWnd(), step.hover);
  }
}

TEST(SFWndMgrTest, CaptureControlGetsEveryMoveAndTracksItsOwnHover) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd held("held", &journal), other("other", &journal);
  held.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  other.Init(&manager, nullptr, 100, 0, 50, 50, 2, kShown);
  held.moveResult = 3;
  Send(manager, WM_MOUSEMOVE, At(10, 10));
  manager.SetCaptureWnd(&held);
  struct Step {
    int x;
    const char* journal;
    CSFWnd* hover;
  };
  const Step steps[] = {
      {20, "held.move(20,10) ", &held},
      {110, "held.leave held.move(110,10) ", nullptr},
      {120, "held.move(120,10) ", nullptr},
      {30, "held.enter(30,10) held.move(30,10) ", &held},
  };
  for (const Step& step : steps) {
    journal.clear();
    const Dispatch d = Send(manager, WM_MOUSEMOVE, At(step.x, 10));
    EXPECT_TRUE(d.handled);
    EXPECT_EQ(d.result, 3);
    EXPECT_EQ(journal, step.journal);
    EXPECT_EQ(manager.GetHoverWnd(), step.hover);
  }
}

TEST(SFWndMgrTest, CaptureChangesReachTheHolder) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd first("first", &journal), second("second", &journal);
  first.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  second.Init(&manager, nullptr, 100, 0, 50, 50, 2, kShown);
  EXPECT_FALSE(Send(manager, WM_CAPTURECHANGED, 0).handled);
  manager.SetCaptureWnd(&first);
  manager.SetCaptureWnd(&second);
  EXPECT_EQ(journal, "first.lost ");
  EXPECT_EQ(manager.GetCaptureWnd(), &second);
  // Releasing for a control that does not hold the capture does nothing.
  EXPECT_EQ(manager.ReleaseCaptureWnd(&first), 0);
  EXPECT_TRUE(Send(manager, WM_CAPTURECHANGED, 0).handled);
  EXPECT_EQ(journal, "first.lost second.lost ");
  EXPECT_EQ(manager.GetCaptureWnd(), nullptr);
  // Without a window holding the capture, releasing ends it at once.
  manager.SetCaptureWnd(&first);
  EXPECT_EQ(manager.ReleaseCaptureWnd(&first), 1);
  EXPECT_EQ(journal, "first.lost second.lost first.lost ");
  EXPECT_EQ(manager.GetCaptureWnd(), nullptr);
}

TEST(SFWndMgrTest, CursorGoesToTheCaptureControl) {
  std::string journal;
  CSFWndMgr manager;
  EXPECT_FALSE(Send(manager, WM_SETCURSOR, 0).handled);
  ProbeWnd held("held", &journal);
  held.Init(&manager, nullptr, 0, 0, 10, 10, 1, kShown);
  manager.SetCaptureWnd(&held);
  EXPECT_FALSE(Send(manager, WM_SETCURSOR, 0).handled);
  held.cursorResult = 1;
  const Dispatch set = Send(manager, WM_SETCURSOR, 0);
  EXPECT_TRUE(set.handled);
  EXPECT_EQ(set.result, TRUE);
  EXPECT_EQ(journal.rfind("held.cursor", 0), 0u);
}

TEST(SFWndMgrTest, DestroyForgetsEverythingButLeavesTheMessageToTheHost) {
  CSFWndMgr manager;
  ProbeWnd a("a", nullptr);
  a.Init(&manager, nullptr, 0, 0, 50, 50, 1, kShown);
  Send(manager, WM_MOUSEMOVE, At(5, 5));
  manager.SetCaptureWnd(&a);
  EXPECT_FALSE(Send(manager, WM_DESTROY, 0).handled);
  EXPECT_TRUE(manager.GetWnds().empty());
  EXPECT_EQ(manager.GetHoverWnd(), nullptr);
  EXPECT_EQ(manager.GetCaptureWnd(), nullptr);
  EXPECT_EQ(manager.GetHost(), nullptr);
}

TEST(SFWndMgrTest, OtherMessagesAreTheHosts) {
  CSFWndMgr manager;
  const Dispatch erase = Send(manager, WM_ERASEBKGND, 0);
  EXPECT_TRUE(erase.handled);
  EXPECT_EQ(erase.result, 1);
  for (UINT message : {WM_RBUTTONDOWN, WM_SIZE, WM_COMMAND, WM_TIMER, WM_KEYDOWN}) {
    EXPECT_FALSE(Send(manager, message, At(1, 1)).handled) << message;
  }
  // No host window: host operations do nothing.
  ProbeWnd a("a", nullptr);
  EXPECT_EQ(manager.SendCommand(&a, SFN_CLICKED, 1), 0);
  EXPECT_EQ(manager.SendHostMessage(WM_USER, 0, 0), 0);
  EXPECT_EQ(manager.PostHostMessage(WM_USER, 0, 0), 0);
  EXPECT_EQ(manager.RedrawWnd(&a), 0);
  EXPECT_EQ(manager.RedrawWnd(nullptr), 0);
}

TEST(SFWndMgrTest, ResizeAndMoveChangeTheRectangleOnlyWhenItChanges) {
  std::string journal;
  CSFWndMgr manager;
  ProbeWnd probe("p", &journal);
  probe.Init(&manager, nullptr, 10, 20, 30, 40, 1, kShown);
  EXPECT_EQ(manager.ResizeWnd(&probe, 30, 40), 0);
  EXPECT_EQ(manager.MoveWnd(&probe, 10, 20), 0);
  EXPECT_EQ(journal, "");
  EXPECT_EQ(manager.ResizeWnd(&probe, 21, 20), 1);
  EXPECT_EQ(manager.MoveWnd(&probe, 371, 1), 1);
  EXPECT_EQ(journal, "p.size(21,20) p.move-to(371,1) ");
  const RECT expected{371, 1, 392, 21};
  EXPECT_TRUE(EqualRect(&probe.GetWndRect(), &expected));
  EXPECT_EQ(manager.ResizeWnd(nullptr, 1, 1), 0);
  EXPECT_EQ(manager.MoveWnd(nullptr, 1, 1), 0);
}

TEST(SFWndMgrTest, ControlsArePaintedFirstAndClippedOutOfTheBackground) {
  BackgroundMgr manager(200, 100);
  ProbeWnd solid("solid", nullptr), hidden("hidden", nullptr), away("away", nullptr);
  solid.Init(&manager, nullptr, 10, 10, 30, 20, 1, kShown);
  solid.fill = true;
  solid.fillColour = RGB(0, 0, 255);
  hidden.Init(&manager, nullptr, 60, 10, 30, 20, 2, SFWS_ENABLED);
  hidden.fill = true;
  away.Init(&manager, nullptr, 150, 70, 30, 20, 3, kShown);
  away.fill = true;
  Surface surface(200, 100, 0);
  // Only the left part needs painting.
  IntersectClipRect(surface.dc, 0, 0, 120, 100);
  Send(manager, WM_PRINTCLIENT, 0, reinterpret_cast<WPARAM>(surface.dc));
  EXPECT_EQ(solid.draws, 1);
  EXPECT_EQ(hidden.draws, 0);
  EXPECT_EQ(away.draws, 0);
  // One background call, for the update area: controls without the
  // over-background style get none of their own.
  ASSERT_EQ(manager.calls.size(), 1u);
  const RECT update{0, 0, 120, 100};
  EXPECT_TRUE(EqualRect(&manager.calls[0], &update));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool inControl = x >= 10 && x < 40 && y >= 10 && y < 30;
      ASSERT_EQ(surface.Rgb(x, y), inControl ? 0xFFu : Pattern(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.Rgb(150, 80), 0u);
}

TEST(SFWndMgrTest, CanvasOnlyUpTo1024By256) {
  struct Case {
    int width, height;
    bool canvas;
  };
  const Case cases[] = {{1024, 256, true}, {1025, 10, false}, {10, 257, false},
                        {1, 1, true},      {0, 5, true},      {1300, 300, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    CSFWndMgr manager;
    ProbeWnd probe("p", nullptr);
    probe.Init(&manager, nullptr, 7, 9, c.width, c.height, 1, kShown);
    Surface surface(1400, 320, 0);
    SetViewportOrgEx(surface.dc, 0, 0, nullptr);
    const RECT update{0, 0, 1400, 320};
    manager.PaintChildren(surface.dc, &update);
    if (c.width == 0) {
      EXPECT_EQ(probe.draws, 0);  // an empty rectangle meets nothing
      continue;
    }
    ASSERT_EQ(probe.draws, 1);
    const RECT area{0, 0, c.width, c.height};
    EXPECT_TRUE(EqualRect(&probe.drawArea, &area));
    if (c.canvas) {
      EXPECT_EQ(probe.drawDc, GetCanvasDC());
      EXPECT_EQ(probe.drawOrigin.x, 0);
      EXPECT_EQ(probe.drawOrigin.y, 0);
    } else {
      EXPECT_EQ(probe.drawDc, surface.dc);
      EXPECT_EQ(probe.drawOrigin.x, 7);
      EXPECT_EQ(probe.drawOrigin.y, 9);
    }
    POINT after{};
    GetViewportOrgEx(surface.dc, &after);
    EXPECT_EQ(after.x, 0);
    EXPECT_EQ(after.y, 0);
  }
}

TEST(SFWndMgrTest, ControlsOverTheBackgroundShowItUnderTheirClearPixels) {
  for (int width : {40, 1100}) {
    SCOPED_TRACE(width);
    // Left half clear, right half opaque green, at the control's size.
    Skin skin(width, 20, 32, [width](int x, int) { return x < width / 2 ? 0x00000000u : 0xFF00FF00u; });
    CFSBitmap bitmap;
    bitmap.Attach(skin.bitmap, 1);
    BackgroundMgr manager(1200, 60);
    CImageWnd image;
    image.Init(&manager, nullptr, 30, 20, width, 20, 0, kShown | SFWS_OVERBACKGROUND);
    image.SetBitmap(&bitmap);
    Surface surface(1200, 60, 0);
    const RECT update{0, 0, 1200, 60};
    manager.PaintChildren(surface.dc, &update);
    // Only the control's own rectangle was asked of the background.
    ASSERT_EQ(manager.calls.size(), 1u);
    EXPECT_TRUE(EqualRect(&manager.calls[0], &image.GetWndRect()));
    const int half = width / 2;
    for (int y = 20; y < 40; ++y) {
      for (int x = 30; x < 30 + width; ++x) {
        const std::uint32_t expected = x - 30 < half ? Pattern(x, y) : 0x00FF00u;
        ASSERT_EQ(surface.Rgb(x, y), expected) << x << "," << y;
      }
    }
    EXPECT_EQ(surface.Rgb(29, 20), 0u);
    EXPECT_EQ(surface.Rgb(30, 19), 0u);
  }
}

}  // namespace
