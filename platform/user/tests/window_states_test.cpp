// Window states and sizes: minimising, maximising and restoring with
// WM_SIZE and WM_GETMINMAXINFO, an overlapped window's first rectangle,
// negative sizes, the frame following the style, the window's icons,
// bringing a window to the top and which state changes activate.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "window_access.h"
#include "window_test_support.h"
#include "win/icons.h"
#include "win/menus.h"
#include "win/system_metrics.h"
#include "win/text_draw.h"

namespace {

using quorla_test::Seen;
using quorla_test::WindowLog;

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

using quorla_test::EdgesOf;
using quorla_test::WindowEdges;

struct SizeSeen {
  WPARAM kind;
  int width, height;
  bool zoomed, iconic;
  bool operator==(const SizeSeen&) const = default;
};

TEST(WindowStates, WmSizeTellsTheNewStateAndIsZoomedAgreesInsideIt) {
  const RECT area = WorkArea();
  const int aw = area.right - area.left, ah = area.bottom - area.top;
  struct Step {
    int show;
    SizeSeen size;
    RECT rect;  // the window rectangle afterwards
  } steps[] = {
      {SW_MAXIMIZE, {SIZE_MAXIMIZED, aw, ah, true, false}, area},
      {SW_RESTORE, {SIZE_RESTORED, 200, 150, false, false}, {100, 100, 300, 250}},
      {SW_MINIMIZE, {SIZE_MINIMIZED, 0, 0, false, true}, {100, 100, 300, 250}},
      {SW_RESTORE, {SIZE_RESTORED, 200, 150, false, false}, {100, 100, 300, 250}},
      // Minimised from maximised comes back maximised; then restored to the
      // rectangle it had before it was maximised.
      {SW_MAXIMIZE, {SIZE_MAXIMIZED, aw, ah, true, false}, area},
      {SW_MINIMIZE, {SIZE_MINIMIZED, 0, 0, false, true}, area},
      {SW_RESTORE, {SIZE_MAXIMIZED, aw, ah, true, false}, area},
      {SW_RESTORE, {SIZE_RESTORED, 200, 150, false, false}, {100, 100, 300, 250}},
      {SW_MINIMIZE, {SIZE_MINIMIZED, 0, 0, false, true}, {100, 100, 300, 250}},
      {SW_SHOWNORMAL, {SIZE_RESTORED, 200, 150, false, false}, {100, 100, 300, 250}},
  };
  WindowLog log;
  std::vector<SizeSeen> sizes;
  log.handlers[WM_SIZE] = [&](HWND h, UINT, WPARAM w, LPARAM l) -> LRESULT {
    sizes.push_back({w, LOWORD(static_cast<ULONG_PTR>(l)), HIWORD(static_cast<ULONG_PTR>(l)), IsZoomed(h) != FALSE,
                     IsIconic(h) != FALSE});
    return 0;
  };
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
  quorla_test::DrainMessages();
  int index = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE("step " + std::to_string(index++));
    sizes.clear();
    ShowWindow(hwnd, step.show);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], step.size);
    EXPECT_EQ(WindowEdges(hwnd), EdgesOf(step.rect));
    EXPECT_EQ(quorla_test::ClientEdges(hwnd), (quorla_test::Edges{0, 0, step.size.width, step.size.height}));
    // Without a window manager a minimised window is off the screen, but it
    // is still a visible window to the program.
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(quorla::WidgetOfWindow(hwnd)->isVisible(), !step.size.iconic);
  }
  DestroyWindow(hwnd);
}

TEST(WindowStates, MaximisingCoversWhatMinMaxInfoSays) {
  const RECT area = WorkArea();
  struct Case {
    const char* name;
    std::function<void(MINMAXINFO*)> handler;
    RECT expected;
  } cases[] = {
      {"the defaults: the work area from its top-left", [](MINMAXINFO*) {}, area},
      {"a smaller size at a place of its own",
       [](MINMAXINFO* info) {
         info->ptMaxSize = POINT{500, 400};
         info->ptMaxPosition = POINT{30, 40};
       },
       {30, 40, 530, 440}},
      {"the size only, as the browser sets it: from the work area's corner",
       [](MINMAXINFO* info) { info->ptMaxSize = POINT{300, 200}; },
       {area.left, area.top, area.left + 300, area.top + 200}},
      {"a minimum tracking size beyond the maximum size wins",
       [](MINMAXINFO* info) {
         info->ptMaxSize = POINT{300, 200};
         info->ptMinTrackSize = POINT{910, 500};
       },
       {area.left, area.top, area.left + 910, area.top + 500}},
      {"a maximum tracking size below the maximum size holds it",
       [](MINMAXINFO* info) { info->ptMaxTrackSize = POINT{250, 120}; },
       {area.left, area.top, area.left + 250, area.top + 120}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
    MINMAXINFO defaults{};
    log.handlers[WM_GETMINMAXINFO] = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      auto* info = reinterpret_cast<MINMAXINFO*>(l);
      defaults = *info;
      c.handler(info);
      // The default handling keeps what the handler set.
      return DefWindowProcW(h, m, w, l);
    };
    log.Clear();
    ShowWindow(hwnd, SW_MAXIMIZE);
    EXPECT_EQ(log.MessagesOf(hwnd, {WM_GETMINMAXINFO, WM_SIZE}), (std::vector<UINT>{WM_GETMINMAXINFO, WM_SIZE}));
    EXPECT_EQ(WindowEdges(hwnd), EdgesOf(c.expected));
    EXPECT_EQ(EdgesOf({defaults.ptMaxPosition.x, defaults.ptMaxPosition.y, defaults.ptMaxSize.x, defaults.ptMaxSize.y}),
              EdgesOf({area.left, area.top, area.right - area.left, area.bottom - area.top}));
    EXPECT_GT(defaults.ptMinTrackSize.x, 0);
    EXPECT_GE(defaults.ptMaxTrackSize.x, defaults.ptMaxSize.x);
    DestroyWindow(hwnd);
  }
}

TEST(WindowStates, AnOverlappedWindowsFirstRectangleAndCaption) {
  const RECT area = WorkArea();
  const LONG aw = area.right - area.left, ah = area.bottom - area.top;
  struct Case {
    const char* name;
    DWORD style;
    int x, y, w, h;
    POINT minTrack;  // {0, 0}: the handler leaves the default
    bool asked;      // WM_GETMINMAXINFO comes first
    RECT expected;
  } cases[] = {
      {"default place and size: three quarters of the work area, centred", WS_OVERLAPPED, CW_USEDEFAULT, 0,
       CW_USEDEFAULT, 0, {0, 0}, true,
       {area.left + (aw - aw * 3 / 4) / 2, area.top + (ah - ah * 3 / 4) / 2, area.left + (aw - aw * 3 / 4) / 2 + aw * 3 / 4,
        area.top + (ah - ah * 3 / 4) / 2 + ah * 3 / 4}},
      {"the default size is at least the minimum tracking size", WS_OVERLAPPED, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
       {aw + 50, 100}, true, {area.left, area.top + (ah - ah * 3 / 4) / 2, area.left + aw + 50, area.top + (ah - ah * 3 / 4) / 2 + ah * 3 / 4}},
      {"a given size below the minimum tracking size grows", WS_OVERLAPPEDWINDOW, 20, 30, 100, 50, {910, 500}, true,
       {20, 30, 930, 530}},
      {"a tiny overlapped window takes the default minimum", WS_OVERLAPPED, 5, 6, 10, 10, {0, 0}, true,
       {5, 6, 5 + 136, 6 + 39}},
      {"a given place with the default size", WS_OVERLAPPED, 40, 50, CW_USEDEFAULT, 0, {0, 0}, true,
       {40, 50, 40 + aw * 3 / 4, 50 + ah * 3 / 4}},
      {"a pop-up is not asked and keeps its size", WS_POPUP, 5, 6, 10, 10, {910, 500}, false, {5, 6, 15, 16}},
      {"a pop-up with default place and size has none", WS_POPUP, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, {0, 0}, false,
       {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    DWORD styleInCreate = 0;
    log.handlers[WM_GETMINMAXINFO] = [&](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
      auto* info = reinterpret_cast<MINMAXINFO*>(l);
      if (c.minTrack.x) info->ptMinTrackSize = c.minTrack;
      return 0;
    };
    log.handlers[WM_CREATE] = [&](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
      styleInCreate = static_cast<DWORD>(reinterpret_cast<CREATESTRUCTW*>(l)->style);
      return 0;
    };
    HWND hwnd = quorla_test::MakeTopLevel(c.style, c.x, c.y, c.w, c.h);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_FALSE(log.seen.empty());
    EXPECT_EQ(log.seen.front().message == WM_GETMINMAXINFO, c.asked);
    EXPECT_EQ(log.Of(hwnd, WM_GETMINMAXINFO).size(), c.asked ? 1u : 0u);
    EXPECT_EQ(WindowEdges(hwnd), EdgesOf(c.expected));
    const bool overlapped = !(c.style & WS_POPUP);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, overlapped);
    EXPECT_EQ((styleInCreate & WS_CAPTION) == WS_CAPTION, overlapped);
    DestroyWindow(hwnd);
  }
}

TEST(WindowStates, NegativeSizesAreNoSize) {
  struct Case {
    const char* name;
    bool moveWindow;
    int w, h;
    int expectedW, expectedH;
  } cases[] = {
      {"MoveWindow, negative width", true, -5, 40, 0, 40},
      {"MoveWindow, negative height", true, 30, -1, 30, 0},
      {"SetWindowPos, both negative", false, -100, -100, 0, 0},
      {"SetWindowPos, a plain size", false, 30, 40, 30, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
    quorla_test::DrainMessages();
    log.Clear();
    if (c.moveWindow) MoveWindow(hwnd, 20, 20, c.w, c.h, TRUE);
    else SetWindowPos(hwnd, nullptr, 20, 20, c.w, c.h, SWP_NOZORDER);
    EXPECT_EQ(WindowEdges(hwnd), (quorla_test::Edges{20, 20, 20 + c.expectedW, 20 + c.expectedH}));
    auto sizes = log.Of(hwnd, WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].lParam, MAKELPARAM(static_cast<WORD>(c.expectedW), static_cast<WORD>(c.expectedH)));
    DestroyWindow(hwnd);
  }
}

TEST(WindowStates, DrawingIntoABoxTurnedInsideOutDrawsNothing) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 10, 10, 100, 60);
  quorla_test::DrainMessages();
  quorla_test::FillWindow(hwnd, RGB(255, 255, 255));
  HDC dc = GetDC(hwnd);
  HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  struct Case {
    const char* name;
    RECT box;
  } cases[] = {{"negative width", {80, 5, 20, 55}}, {"negative height", {5, 55, 95, 5}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillRect(dc, &c.box, black);
    RECT text = c.box;
    DrawTextW(dc, u"MMMMMMMMMMMM", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    for (int y = 0; y < 60; y += 3)
      for (int x = 0; x < 100; x += 3) ASSERT_EQ(quorla_test::PixelOf(hwnd, x, y), RGB(255, 255, 255)) << x << "," << y;
  }
  // The same text in a box the right way round does draw.
  RECT upright{20, 5, 80, 55};
  DrawTextW(dc, u"MMMMMMMMMMMM", -1, &upright, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  bool inked = false;
  for (int y = 5; y < 55 && !inked; ++y)
    for (int x = 20; x < 80 && !inked; ++x) inked = quorla_test::PixelOf(hwnd, x, y) != RGB(255, 255, 255);
  EXPECT_TRUE(inked);
  DeleteObject(black);
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
}

TEST(WindowStates, TheFrameFollowsTheStyleAtOnce) {
  struct Case {
    const char* name;
    DWORD created;
    bool dropCaptionInCreate;
    DWORD later;  // 0: no change after showing
    bool framelessAtFirst, framelessAfter;
  } cases[] = {
      {"an overlapped window is decorated", WS_OVERLAPPEDWINDOW, false, 0, false, false},
      {"the caption dropped in WM_CREATE: undecorated from the start", WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
       true, 0, true, true},
      {"the caption dropped later", WS_OVERLAPPEDWINDOW, false, WS_SYSMENU, false, true},
      {"a caption given later", WS_POPUP, false, WS_POPUP | WS_CAPTION, true, true},
      {"a pop-up made overlapped with a caption", WS_POPUP, false, WS_CAPTION, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    if (c.dropCaptionInCreate) {
      log.handlers[WM_CREATE] = [](HWND h, UINT, WPARAM, LPARAM) -> LRESULT {
        SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION));
        return 0;
      };
    }
    HWND hwnd = quorla_test::MakeTopLevel(c.created, 50, 60, 300, 200);
    ShowWindow(hwnd, SW_SHOW);
    quorla_test::DrainMessages();
    QWidget* widget = quorla::WidgetOfWindow(hwnd);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->windowFlags().testFlag(Qt::FramelessWindowHint), c.framelessAtFirst);
    if (c.later) {
      const LONG before = GetWindowLongW(hwnd, GWL_STYLE);
      EXPECT_EQ(SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(c.later | WS_VISIBLE)), before);
      EXPECT_EQ(widget->windowFlags().testFlag(Qt::FramelessWindowHint), c.framelessAfter) << "at once";
      EXPECT_TRUE(widget->isVisible());
    }
    EXPECT_EQ(widget->geometry(), QRect(50, 60, 300, 200));
    EXPECT_EQ(quorla_test::ClientEdges(hwnd), (quorla_test::Edges{0, 0, 300, 200})) << "the client area is the whole window";
    DestroyWindow(hwnd);
  }
}

TEST(WindowStates, StylesOfThirtyTwoBitsKeepTheirHighBit) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE), static_cast<LONG>(WS_POPUP));
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), WS_POPUP | WS_SYSMENU);
  DestroyWindow(hwnd);
}

TEST(WindowStates, IconsSetWithWmSetIconAreTheWindowsIconOnScreen) {
  HICON big = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(7101), IMAGE_ICON, 32, 32, 0));
  HICON small = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(7101), IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  for (bool beforeShowing : {true, false}) {
    SCOPED_TRACE(beforeShowing ? "set before the window shows" : "set while it shows");
    HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 50, 50);
    if (!beforeShowing) ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)),
              reinterpret_cast<LRESULT>(small)) << "the previous icon";
    EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
    EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(small));
    EXPECT_EQ(SendMessageW(hwnd, WM_SETICON, 7, reinterpret_cast<LPARAM>(small)), 0) << "no such kind";
    if (beforeShowing) ShowWindow(hwnd, SW_SHOW);
    QWidget* widget = quorla::WidgetOfWindow(hwnd);
    ASSERT_NE(widget, nullptr);
    QList<QSize> sizes = widget->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    DestroyWindow(hwnd);
  }
  DestroyIcon(big);
  DestroyIcon(small);
}

TEST(WindowStates, BringWindowToTopRaisesAndActivates) {
  HWND lower = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND upper = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
  quorla_test::DrainMessages();
  ASSERT_EQ(WindowFromPoint(POINT{75, 75}), upper);
  ASSERT_EQ(GetActiveWindow(), upper);
  EXPECT_TRUE(BringWindowToTop(lower));
  EXPECT_EQ(WindowFromPoint(POINT{75, 75}), lower);
  EXPECT_EQ(GetActiveWindow(), lower);
  EXPECT_EQ(GetForegroundWindow(), lower);
  EXPECT_FALSE(BringWindowToTop(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7FFF0))));
  DestroyWindow(lower);
  DestroyWindow(upper);
}

// A modal dialog stays above its owner: bringing the disabled owner to the
// top (as the browser does when an item is opened from its watch list)
// raises the dialog after it and leaves the dialog active, so the person is
// never left before a disabled window with the dialog hidden behind it.
TEST(WindowStates, RaisingAnOwnerKeepsWhatItOwnsAboveAndADisabledOwnerLeavesTheActivationToIt) {
  HWND owner = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND dialog = CreateWindowExW(0, u"QuorlaTestWindow", u"", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, owner, nullptr,
                                nullptr, nullptr);
  HWND nested = CreateWindowExW(0, u"QuorlaTestWindow", u"", WS_POPUP | WS_VISIBLE, 60, 60, 20, 20, dialog, nullptr,
                                nullptr, nullptr);
  HWND hidden = CreateWindowExW(0, u"QuorlaTestWindow", u"", WS_POPUP, 150, 150, 40, 40, owner, nullptr, nullptr,
                                nullptr);
  HWND other = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
  quorla_test::DrainMessages();
  ASSERT_EQ(WindowFromPoint(POINT{100, 100}), other);

  EnableWindow(owner, FALSE);
  EXPECT_TRUE(BringWindowToTop(owner));
  EXPECT_EQ(WindowFromPoint(POINT{100, 100}), dialog);
  EXPECT_EQ(WindowFromPoint(POINT{65, 65}), nested) << "the owned window's own owned window comes along";
  EXPECT_EQ(WindowFromPoint(POINT{20, 20}), owner);
  EXPECT_EQ(WindowFromPoint(POINT{170, 170}), owner) << "a hidden owned window is not shown";
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(GetActiveWindow(), dialog) << "the owner is disabled; the pop-up it owns takes the activation";

  // Raising the enabled owner through SetWindowPos keeps the order too.
  EnableWindow(owner, TRUE);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(WindowFromPoint(POINT{100, 100}), dialog);
  EXPECT_TRUE(BringWindowToTop(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  for (HWND hwnd : {other, owner}) DestroyWindow(hwnd);
}

TEST(WindowStates, RestoringAndMaximisingActivateMinimisingDoesNot) {
  struct Case {
    const char* name;
    std::vector<int> before;  // ShowWindow commands given first, with another window made active after them
    int command;
    bool active;
  };
  const Case cases[] = {
      {"restored from minimised", {SW_MINIMIZE}, SW_RESTORE, true},
      {"maximised from minimised", {SW_MINIMIZE}, SW_MAXIMIZE, true},
      {"restored from minimised to maximised", {SW_MAXIMIZE, SW_MINIMIZE}, SW_RESTORE, true},
      {"maximised", {}, SW_MAXIMIZE, true},
      {"restored from maximised", {SW_MAXIMIZE}, SW_RESTORE, true},
      {"minimised", {}, SW_MINIMIZE, false},
      {"minimised without activation", {}, SW_SHOWMINNOACTIVE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND target = quorla_test::MakeTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    HWND other = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
    for (int command : c.before) ShowWindow(target, command);
    SetActiveWindow(other);
    quorla_test::DrainMessages();
    ASSERT_EQ(GetActiveWindow(), other);
    ShowWindow(target, c.command);
    quorla_test::DrainMessages();
    EXPECT_EQ(GetActiveWindow(), c.active ? target : other);
    DestroyWindow(other);
    DestroyWindow(target);
  }
}

}  // namespace
