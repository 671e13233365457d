#include <gtest/gtest.h>

#include "window_access.h"
#include "window_test_support.h"

namespace {

using quorla_test::WindowLog;

const std::vector<UINT> kPlacementMessages = {WM_NCCREATE,          WM_CREATE,           WM_SIZE, WM_MOVE,
                                              WM_SHOWWINDOW,        WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};

TEST(WindowPlacement, CreationSendsSizeAndMoveAfterCreateAndShowsLast) {
  struct Case {
    DWORD style;
    std::vector<UINT> expected;
  } cases[] = {
      {WS_POPUP, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}},
      {WS_POPUP | WS_VISIBLE,
       {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
  };
  for (const Case& c : cases) {
    WindowLog log;
    RECT inCreate{};
    log.handlers[WM_CREATE] = [&](HWND hwnd, UINT, WPARAM, LPARAM) {
      GetWindowRect(hwnd, &inCreate);
      return 0;
    };
    HWND hwnd = quorla_test::MakeTopLevel(c.style, 10, 20, 300, 200);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(log.MessagesOf(hwnd, kPlacementMessages), c.expected) << std::hex << c.style;
    EXPECT_EQ(inCreate.left, 10);
    EXPECT_EQ(inCreate.bottom, 220);
    auto size = log.Of(hwnd, WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].wParam, SIZE_RESTORED);
    EXPECT_EQ(size[0].lParam, MAKELPARAM(300, 200));
    EXPECT_EQ(log.Of(hwnd, WM_MOVE)[0].lParam, MAKELPARAM(10, 20));
    EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, (c.style & WS_VISIBLE) != 0);
    DestroyWindow(hwnd);
  }
}

TEST(WindowPlacement, SetWindowPosOnAHiddenWindowNotifiesAtOnce) {
  struct Case {
    int x, y, cx, cy;
    UINT flags;
    std::vector<UINT> expected;
    RECT after;
  } cases[] = {
      {50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}, {50, 60, 150, 110}},
      {0, 0, 397, 317, SWP_NOMOVE, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}, {0, 0, 397, 317}},
      {5, 5, 20, 30, 0, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}, {5, 5, 25, 35}},
      {0, 0, 100, 50, SWP_NOZORDER, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}, {0, 0, 100, 50}},
  };
  for (const Case& c : cases) {
    HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 100, 50);
    WindowLog log;
    ASSERT_TRUE(SetWindowPos(hwnd, HWND_TOP, c.x, c.y, c.cx, c.cy, c.flags));
    EXPECT_EQ(log.MessagesOf(hwnd, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE, WM_PAINT}), c.expected);
    EXPECT_EQ(quorla_test::WindowEdges(hwnd), quorla_test::EdgesOf(c.after));
    const int w = c.after.right - c.after.left, h = c.after.bottom - c.after.top;
    EXPECT_EQ(quorla_test::ClientEdges(hwnd), (quorla_test::Edges{0, 0, w, h}));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    for (const quorla_test::Seen& size : log.Of(hwnd, WM_SIZE)) EXPECT_EQ(size.lParam, MAKELPARAM(w, h));
    DestroyWindow(hwnd);
  }
}

TEST(WindowPlacement, TheChangingHandlerMayAlterThePlacement) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 100, 50);
  WindowLog log;
  log.handlers[WM_WINDOWPOSCHANGING] = [](HWND, UINT, WPARAM, LPARAM lParam) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    pos->cx = std::min(pos->cx, 120);
    return 0;
  };
  MoveWindow(hwnd, 3, 4, 500, 60, TRUE);
  EXPECT_EQ(quorla_test::WindowEdges(hwnd), (quorla_test::Edges{3, 4, 123, 64}));
  EXPECT_EQ(log.Of(hwnd, WM_SIZE).at(0).lParam, MAKELPARAM(120, 60));
  DestroyWindow(hwnd);
}

TEST(WindowPlacement, ShowWindowSendsShowWindowFirstAndReportsThePreviousState) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 40, 30);
  struct Step {
    int command;
    BOOL result;
    bool visibleAfter;
    std::vector<UINT> expected;
  } steps[] = {
      {SW_SHOWNA, FALSE, true, {WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
      {SW_SHOW, TRUE, true, {}},
      {SW_HIDE, TRUE, false, {WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
      {SW_HIDE, FALSE, false, {}},
  };
  for (const Step& s : steps) {
    WindowLog log;
    EXPECT_EQ(ShowWindow(hwnd, s.command), s.result) << s.command;
    EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, s.visibleAfter) << s.command;
    EXPECT_EQ(log.MessagesOf(hwnd, kPlacementMessages), s.expected) << s.command;
    auto shown = log.Of(hwnd, WM_SHOWWINDOW);
    if (!shown.empty()) {
      EXPECT_EQ(shown[0].wParam, s.visibleAfter ? TRUE : FALSE);
    }
  }
  DestroyWindow(hwnd);
}

TEST(WindowPlacement, ChildCoordinatesAndMapping) {
  HWND top = quorla_test::MakeTopLevel(WS_POPUP, 100, 200, 300, 300);
  HWND child = quorla_test::MakeChild(top, WS_VISIBLE, 10, 20, 50, 50);
  HWND grandchild = quorla_test::MakeChild(child, WS_VISIBLE, 5, 6, 10, 10);
  EXPECT_EQ(quorla_test::WindowEdges(grandchild), (quorla_test::Edges{115, 226, 125, 236}));
  struct Case {
    HWND from, to;
    POINT in, out;
  } cases[] = {
      {grandchild, nullptr, {1, 2}, {116, 228}},
      {nullptr, child, {110, 220}, {0, 0}},
      {grandchild, top, {0, 0}, {15, 26}},
      {top, grandchild, {15, 26}, {0, 0}},
  };
  for (const Case& c : cases) {
    POINT p = c.in;
    MapWindowPoints(c.from, c.to, &p, 1);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(c.out.x, c.out.y));
  }
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 110);
  ScreenToClient(child, &p);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(GetParent(grandchild), child);
  EXPECT_TRUE(IsChild(top, grandchild));
  EXPECT_FALSE(IsWindowVisible(grandchild)) << "the top-level window is hidden";
  DestroyWindow(top);
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST(WindowPlacement, EnableAndTitles) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  WindowLog log;
  EXPECT_FALSE(EnableWindow(hwnd, FALSE));
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  EXPECT_TRUE(EnableWindow(hwnd, FALSE)) << "already disabled: no second WM_ENABLE";
  EXPECT_TRUE(EnableWindow(hwnd, TRUE));
  ASSERT_EQ(log.Of(hwnd, WM_ENABLE).size(), 2u);
  EXPECT_EQ(log.Of(hwnd, WM_ENABLE)[0].wParam, FALSE);

  ASSERT_TRUE(SetWindowTextW(hwnd, u"标题 title"));
  EXPECT_EQ(GetWindowTextLengthW(hwnd), 8);
  struct Case {
    int size;
    int copied;
    std::u16string text;
  } cases[] = {{20, 8, u"标题 title"}, {9, 8, u"标题 title"}, {8, 7, u"标题 titl"}, {1, 0, u""}};
  for (const Case& c : cases) {
    WCHAR buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(GetWindowTextW(hwnd, buffer, c.size), c.copied);
    EXPECT_EQ(std::u16string(buffer), c.text);
  }
  DestroyWindow(hwnd);
}

TEST(WindowPlacement, AHiddenWindowIsNeverActiveNorMappedByTheForeground) {
  HWND hidden = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  EXPECT_FALSE(SetForegroundWindow(hidden));
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(quorla::WidgetOfWindow(hidden), nullptr) << "a window never shown has no widget";
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_TRUE(LockSetForegroundWindow(LSFW_LOCK));
  HWND shown = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  EXPECT_EQ(GetActiveWindow(), shown);
  EXPECT_EQ(GetForegroundWindow(), shown);
  EXPECT_EQ(GetFocus(), shown);
  ShowWindow(shown, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  DestroyWindow(shown);
  DestroyWindow(hidden);
}

}  // namespace
