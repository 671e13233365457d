// The manager bound to a real host window: mouse messages sent and posted
// to the window, capture through the platform, WM_COMMAND back to the host,
// and pixels read back from the window's DC.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "probe_wnd.h"
#include "sfwnd/button_state4.h"
#include "sfwnd/fs_bitmap.h"
#include "sfwnd/image_wnd.h"
#include "sfwnd/sf_txt_wnd.h"
#include "sfwnd/sf_wnd_mgr.h"
#include "sfwnd_test_support.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/painting.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace {

using sfwnd_test::ButtonSkin;
using sfwnd_test::ProbeWnd;
using sfwnd_test::Skin;
using sfwnd_test::Surface;

constexpr int kShown = SFWS_VISIBLE | SFWS_ENABLED;
constexpr COLORREF kBackground = RGB(0x20, 0x40, 0x60);
constexpr std::uint32_t kFrameRgb[4] = {0x101010, 0x505050, 0x909090, 0xD0D0D0};
constexpr UINT kButtonId = 1001;

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

COLORREF AsColorref(std::uint32_t rgb) { return RGB(BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb)); }

// The host object: owns its controls and the manager part, answers what the
// manager leaves, and records commands and the presses that reach it.
class Host : public CSFWndMgr {
 public:
  void PaintBackground(HDC dc, const RECT* rect) override {
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(dc, rect, brush);
    DeleteObject(brush);
  }

  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (ProcessWindowMessage(hwnd, message, wParam, lParam, result, handled)) return result;
    switch (message) {
      case WM_COMMAND:
        commands.push_back({wParam, lParam});
        return 0;
      case WM_LBUTTONDOWN:
        ++ownPresses;  // where the pop-up starts its drag
        return 0;
      case WM_USER + 5:
        ++posted;
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  struct Command {
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Command> commands;
  int ownPresses = 0;
  int posted = 0;
};

LRESULT HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!host) return DefWindowProcW(hwnd, message, wParam, lParam);
  return host->Handle(hwnd, message, wParam, lParam);
}

void RegisterHostClass() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.lpszClassName = u"SfwndTestHost";
    return RegisterClassW(&windowClass) != 0;
  }();
  ASSERT_TRUE(registered);
}

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The host window, shown and fully painted, destroyed with the fixture.
class HostWindow {
 public:
  HostWindow(Host& host, int width, int height) {
    RegisterHostClass();
    hwnd = CreateWindowExW(0, u"SfwndTestHost", u"", WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr, &host);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    Drain();
  }
  ~HostWindow() {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    Drain();
  }
  COLORREF Pixel(int x, int y) const {
    Surface surface(1, 1);
    HDC dc = GetDC(hwnd);
    BitBlt(surface.dc, 0, 0, 1, 1, dc, x, y, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return AsColorref(surface.Rgb(0, 0));
  }
  HWND hwnd = nullptr;
};

// A 120 x 60 host window with one button at (10, 10), shown and painted.
struct ButtonHost {
  explicit ButtonHost(int style = kShown, const std::function<void(Host&)>& more = nullptr)
      : ready(Place(style, more)), window(host, 120, 60) {}
  bool Place(int style, const std::function<void(Host&)>& more) {
    button.Init(&host, nullptr, 10, 10, 12, 10, kButtonId, style);
    button.SetBitmap(&skin.bitmap);
    if (more) more(host);
    return true;
  }
  void Send(UINT message, int x, int y) { SendMessageW(window.hwnd, message, 0, At(x, y)); }

  ButtonSkin skin{kFrameRgb};
  Host host;
  CButtonState4 button;
  bool ready;
  HostWindow window;
};

// One mouse step of a table: m = move, d = press, u = release, at a point.
struct MouseStep {
  UINT message;
  int x, y;
};

TEST(SFWndMgrWindowTest, ClickIsPressInsideAndReleaseStillOverTheButton) {
  const MouseStep in{WM_MOUSEMOVE, 15, 15}, down{WM_LBUTTONDOWN, 15, 15}, out{WM_MOUSEMOVE, 90, 40},
      back{WM_MOUSEMOVE, 12, 12}, upIn{WM_LBUTTONUP, 12, 12}, upOut{WM_LBUTTONUP, 90, 40},
      downOut{WM_LBUTTONDOWN, 90, 40};
  struct Case {
    const char* name;
    std::vector<MouseStep> steps;
    size_t commands;
    bool post;
  };
  const Case cases[] = {
      {"click", {in, down, upIn}, 1, false},
      {"click by posted messages", {in, down, upIn}, 1, true},
      {"release outside cancels", {in, down, out, upOut}, 0, false},
      {"moving back before the release counts", {in, down, out, back, upIn}, 1, false},
      {"out and back by posted messages", {in, down, out, back, upIn}, 1, true},
      {"release without press", {in, upIn}, 0, false},
      {"press outside, release on it", {downOut, in, upIn}, 0, false},
      {"two clicks", {in, down, upIn, down, upIn}, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ButtonHost fixture;
    Host& host = fixture.host;
    HostWindow& window = fixture.window;
    for (const MouseStep& step : c.steps) {
      if (c.post) {
        PostMessageW(window.hwnd, step.message, 0, At(step.x, step.y));
        Drain();
      } else {
        SendMessageW(window.hwnd, step.message, 0, At(step.x, step.y));
      }
      if (step.message == WM_LBUTTONDOWN && step.x < 22) {
        EXPECT_EQ(GetCapture(), window.hwnd);
      }
    }
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(host.GetCaptureWnd(), nullptr);
    EXPECT_FALSE(fixture.button.IsPressed());
    ASSERT_EQ(host.commands.size(), c.commands);
    for (const Host::Command& command : host.commands) {
      EXPECT_EQ(LOWORD(command.wParam), kButtonId);
      EXPECT_EQ(HIWORD(command.wParam), SFN_CLICKED);
      EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(&fixture.button));
    }
    // A press that a control consumed never reaches the host's own handler.
    const bool pressedOutside = c.steps.front().message == WM_LBUTTONDOWN;
    EXPECT_EQ(host.ownPresses, pressedOutside ? 1 : 0);
  }
}

TEST(SFWndMgrWindowTest, PaintAndButtonFramesFollowTheMouseOnScreen) {
  ButtonHost f;
  EXPECT_EQ(f.host.GetHost(), f.window.hwnd);
  // The button is painted first, at its natural size; the background around it.
  EXPECT_EQ(f.window.Pixel(10, 10), AsColorref(kFrameRgb[0]));
  EXPECT_EQ(f.window.Pixel(21, 19), AsColorref(kFrameRgb[0]));
  for (POINT p : {POINT{22, 10}, POINT{0, 0}, POINT{119, 59}}) EXPECT_EQ(f.window.Pixel(p.x, p.y), kBackground);
  const struct {
    MouseStep step;
    int frame;
  } steps[] = {
      {{WM_MOUSEMOVE, 15, 15}, 1}, {{WM_LBUTTONDOWN, 15, 15}, 2}, {{WM_MOUSEMOVE, 80, 40}, 0},
      {{WM_MOUSEMOVE, 11, 11}, 2}, {{WM_LBUTTONUP, 11, 11}, 1},   {{WM_MOUSEMOVE, 100, 50}, 0},
  };
  for (const auto& s : steps) {
    f.Send(s.step.message, s.step.x, s.step.y);
    EXPECT_EQ(f.window.Pixel(16, 14), AsColorref(kFrameRgb[s.frame])) << s.step.message << " " << s.step.x;
    // Redrawing touches the button only.
    EXPECT_EQ(f.window.Pixel(9, 14), kBackground);
    EXPECT_EQ(f.window.Pixel(22, 14), kBackground);
  }
}

TEST(SFWndMgrWindowTest, DisabledButtonShowsFrameThreeAndTakesNoMouse) {
  ButtonHost f(SFWS_VISIBLE);
  EXPECT_EQ(f.window.Pixel(15, 15), AsColorref(kFrameRgb[3]));
  f.Send(WM_MOUSEMOVE, 15, 15);
  f.Send(WM_LBUTTONDOWN, 15, 15);
  EXPECT_EQ(GetCapture(), nullptr);
  f.Send(WM_LBUTTONUP, 15, 15);
  EXPECT_FALSE(f.button.IsHovering());
  EXPECT_FALSE(f.button.IsPressed());
  EXPECT_TRUE(f.host.commands.empty());
  EXPECT_EQ(f.host.ownPresses, 1);
  EXPECT_EQ(f.window.Pixel(15, 15), AsColorref(kFrameRgb[3]));
}

TEST(SFWndMgrWindowTest, PressOnAnImageReachesTheHost) {
  Skin art(4, 4, 24, [](int, int) { return 0x336699u; });
  CFSBitmap bitmap;
  bitmap.Attach(art.bitmap, 1);
  CImageWnd image;
  ButtonHost f(kShown, [&](Host& host) {
    image.Init(&host, nullptr, 0, 0, 120, 60, 0, kShown);
    image.SetBitmap(&bitmap);
  });
  // The button comes first in the list, so it lies on top of the image.
  EXPECT_EQ(f.window.Pixel(15, 15), AsColorref(kFrameRgb[0]));
  EXPECT_EQ(f.window.Pixel(50, 30), RGB(0x33, 0x66, 0x99));
  f.Send(WM_LBUTTONDOWN, 50, 30);
  EXPECT_EQ(f.host.ownPresses, 1);
  EXPECT_EQ(GetCapture(), nullptr);
  f.Send(WM_MOUSEMOVE, 15, 15);
  f.Send(WM_LBUTTONDOWN, 15, 15);
  EXPECT_EQ(f.host.ownPresses, 1);
  f.Send(WM_LBUTTONUP, 15, 15);
  EXPECT_EQ(f.host.commands.size(), 1u);
}

TEST(SFWndMgrWindowTest, RemovingThePressedButtonGivesUpTheCapture) {
  ButtonHost f;
  f.Send(WM_MOUSEMOVE, 15, 15);
  f.Send(WM_LBUTTONDOWN, 15, 15);
  ASSERT_EQ(GetCapture(), f.window.hwnd);
  f.host.RemoveWnd(&f.button);
  EXPECT_EQ(GetCapture(), nullptr);
  f.Send(WM_LBUTTONUP, 15, 15);
  EXPECT_TRUE(f.host.commands.empty());
}

TEST(SFWndMgrWindowTest, LinkLabelReportsItsClick) {
  Host host;
  CSFTxtWnd link;
  link.Init(&host, nullptr, 10, 30, 100, 20, 1003, kShown);
  link.SetText(u"{#color=65280}share", SF_LABEL_DEFAULT_FORMAT);
  link.SetLinkMode(true);
  HostWindow window(host, 120, 60);
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageW(window.hwnd, message, 0, At(20, 35));
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0].wParam, MAKEWPARAM(1003, SFN_CLICKED));
  EXPECT_EQ(host.ownPresses, 0);
}

TEST(SFWndMgrWindowTest, RedrawIsClippedToTheControl) {
  Host host;
  ProbeWnd wide("wide", nullptr);
  // Wider than the canvas, so it draws straight into the window's DC.
  wide.Init(&host, nullptr, 20, 10, 1050, 20, 1, kShown);
  HostWindow window(host, 1100, 50);
  // Its drawing spills over the whole window unless clipped.
  wide.fill = true;
  wide.spill = true;
  wide.fillColour = RGB(255, 0, 0);
  EXPECT_EQ(host.RedrawWnd(&wide), 1);
  EXPECT_EQ(window.Pixel(20, 10), RGB(255, 0, 0));
  EXPECT_EQ(window.Pixel(1069, 29), RGB(255, 0, 0));
  EXPECT_EQ(window.Pixel(19, 10), kBackground);
  EXPECT_EQ(window.Pixel(1070, 29), kBackground);
  EXPECT_EQ(window.Pixel(20, 30), kBackground);
}

TEST(SFWndMgrWindowTest, MoveAndResizeRepaintOldAndNewPlaces) {
  ButtonHost f;
  Host& host = f.host;
  HostWindow& window = f.window;
  CButtonState4& button = f.button;
  EXPECT_EQ(host.MoveWnd(&button, 60, 30), 1);
  EXPECT_EQ(window.Pixel(15, 15), kBackground);
  EXPECT_EQ(window.Pixel(61, 31), AsColorref(kFrameRgb[0]));
  // Shrunk: the strip's frame is drawn at its own size, the cut part shows
  // the background again.
  EXPECT_EQ(host.ResizeWnd(&button, 6, 10), 1);
  EXPECT_EQ(window.Pixel(61, 31), AsColorref(kFrameRgb[0]));
  EXPECT_EQ(window.Pixel(68, 31), kBackground);
}

TEST(SFWndMgrWindowTest, HostMessagesGoToTheWindow) {
  Host host;
  ProbeWnd probe("p", nullptr);
  probe.Init(&host, nullptr, 0, 0, 10, 10, 42, kShown);
  HostWindow window(host, 40, 40);
  EXPECT_TRUE(host.PostHostMessage(WM_USER + 5, 0, 0));
  EXPECT_EQ(host.posted, 0);
  Drain();
  EXPECT_EQ(host.posted, 1);
  host.SendHostMessage(WM_USER + 5, 0, 0);
  EXPECT_EQ(host.posted, 2);
  host.SendCommand(&probe, 7, 42);
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0].wParam, MAKEWPARAM(42, 7));
  EXPECT_EQ(host.commands[0].lParam, reinterpret_cast<LPARAM>(&probe));
}

TEST(SFWndMgrWindowTest, DestroyingTheHostForgetsItsControls) {
  Host host;
  ProbeWnd probe("p", nullptr);
  probe.Init(&host, nullptr, 0, 0, 10, 10, 42, kShown);
  {
    HostWindow window(host, 40, 40);
    SendMessageW(window.hwnd, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(host.GetHoverWnd(), &probe);
  }
  EXPECT_TRUE(host.GetWnds().empty());
  EXPECT_EQ(host.GetHoverWnd(), nullptr);
  // The window's very last message does not bind the manager to it again.
  EXPECT_EQ(host.GetHost(), nullptr);
  EXPECT_EQ(host.SendCommand(&probe, SFN_CLICKED, 42), 0);
  // A new host window is learnt afresh.
  HostWindow again(host, 40, 40);
  EXPECT_EQ(host.GetHost(), again.hwnd);
}

}  // namespace
