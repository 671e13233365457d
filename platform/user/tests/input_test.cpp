#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "window_access.h"
#include "toolkit_input.h"
#include "window_test_support.h"

namespace {

using quorla_test::SendMouse;
using quorla_test::Seen;

using quorla_test::WindowLog;

HWND Shown(int x, int y, int w, int h, LPCWSTR className = u"QuorlaTestWindow", DWORD style = 0) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE | style, x, y, w, h, className);
  quorla_test::DrainMessages();
  return hwnd;
}

void Click(HWND via, QPoint screen) {
  SendMouse(via, QEvent::MouseButtonPress, screen);
  SendMouse(via, QEvent::MouseButtonRelease, screen);
}

std::vector<Seen> Messages(const WindowLog& log, UINT message) {
  std::vector<Seen> out;
  for (const Seen& s : log.seen)
    if (s.message == message) out.push_back(s);
  return out;
}

TEST(Input, AReleaseGoesToTheWindowUnderItOrToTheCaptureWithSignedWords) {
  struct Case {
    bool capture;
    QPoint release;
    int target;  // 0: the pressed window, 1: the other one, -1: none
    int x, y;
  } cases[] = {
      {false, {250, 20}, 1, 50, 20},
      {false, {150, 20}, -1, 0, 0},  // between the windows: nobody
      {true, {250, 20}, 0, 250, 20},
      {true, {-30, -5}, 0, -30, -5},
  };
  for (const Case& c : cases) {
    WindowLog log;
    HWND a = Shown(0, 0, 100, 100);
    HWND b = Shown(200, 0, 100, 100);
    if (c.capture) {
      log.handlers[WM_LBUTTONDOWN] = [](HWND h, UINT, WPARAM, LPARAM) {
        SetCapture(h);
        return 0;
      };
    }
    SendMouse(a, QEvent::MouseButtonPress, {50, 50});
    quorla_test::DrainMessages();
    SendMouse(a, QEvent::MouseButtonRelease, c.release);
    quorla_test::DrainMessages();
    auto down = Messages(log, WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].hwnd, a);
    EXPECT_EQ(down[0].lParam, MAKELPARAM(50, 50));
    auto up = Messages(log, WM_LBUTTONUP);
    if (c.target < 0) {
      EXPECT_TRUE(up.empty());
    } else {
      ASSERT_EQ(up.size(), 1u);
      EXPECT_EQ(up[0].hwnd, c.target == 0 ? a : b);
      EXPECT_EQ(GET_X_LPARAM(up[0].lParam), c.x);
      EXPECT_EQ(GET_Y_LPARAM(up[0].lParam), c.y);
      EXPECT_EQ(up[0].lParam, MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)));
      EXPECT_EQ(up[0].wParam, 0u) << "no button is down after the release";
    }
    ReleaseCapture();
    DestroyWindow(a);
    DestroyWindow(b);
  }
}

TEST(Input, SetCursorComesBeforeEachUncapturedMouseMessageAndAsksTheParentFirst) {
  WindowLog log;
  HWND top = Shown(0, 0, 100, 100);
  HWND child = quorla_test::MakeChild(top, WS_VISIBLE, 10, 10, 50, 50);
  quorla_test::DrainMessages();
  bool parentTakes = true;
  log.handlers[WM_SETCURSOR] = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (h == top) return parentTakes ? TRUE : FALSE;
    return DefWindowProcW(h, m, w, l);
  };
  log.Clear();
  SendMouse(top, QEvent::MouseMove, {20, 20}, Qt::NoButton);
  quorla_test::DrainMessages();
  std::vector<std::pair<HWND, UINT>> order;
  for (const Seen& s : log.seen)
    if (s.message == WM_SETCURSOR || s.message == WM_MOUSEMOVE) order.emplace_back(s.hwnd, s.message);
  std::vector<std::pair<HWND, UINT>> expected = {{child, WM_SETCURSOR}, {top, WM_SETCURSOR}, {child, WM_MOUSEMOVE}};
  EXPECT_EQ(order, expected);
  auto setCursor = log.Of(child, WM_SETCURSOR);
  ASSERT_EQ(setCursor.size(), 1u);
  EXPECT_EQ(setCursor[0].wParam, reinterpret_cast<WPARAM>(child));
  EXPECT_EQ(setCursor[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(log.Of(child, WM_MOUSEMOVE)[0].lParam, MAKELPARAM(10, 10));

  SetCapture(child);
  log.Clear();
  SendMouse(top, QEvent::MouseMove, {80, 80}, Qt::NoButton);
  quorla_test::DrainMessages();
  EXPECT_TRUE(log.Of(child, WM_SETCURSOR).empty()) << "none under capture";
  EXPECT_EQ(log.Of(child, WM_MOUSEMOVE).size(), 1u);
  ReleaseCapture();
  DestroyWindow(top);
}

TEST(Input, APixelCutAwayByTheRegionBelongsToWhatIsBelow) {
  struct Case {
    bool windowBelow;
    QPoint click;
    int target;  // 0 the shaped window, 1 the one below, -1 none
  } cases[] = {{true, {0, 0}, 1}, {true, {25, 25}, 0}, {false, {0, 0}, -1}, {true, {49, 49}, 1}};
  for (const Case& c : cases) {
    WindowLog log;
    HWND below = c.windowBelow ? Shown(0, 0, 100, 100) : nullptr;
    HWND shaped = Shown(0, 0, 50, 50);
    SetWindowRgn(shaped, CreateRoundRectRgn(0, 0, 51, 51, 20, 20), TRUE);
    quorla_test::DrainMessages();
    log.Clear();
    Click(shaped, c.click);
    quorla_test::DrainMessages();
    auto down = Messages(log, WM_LBUTTONDOWN);
    if (c.target < 0) {
      EXPECT_TRUE(down.empty());
    } else {
      ASSERT_EQ(down.size(), 1u) << c.click.x();
      EXPECT_EQ(down[0].hwnd, c.target == 0 ? shaped : below);
      EXPECT_EQ(WindowFromPoint(POINT{c.click.x(), c.click.y()}), down[0].hwnd);
    }
    DestroyWindow(shaped);
    if (below) DestroyWindow(below);
  }
}

TEST(Input, DoubleClicksOnlyForClassesThatAskForThem) {
  struct Case {
    LPCWSTR className;
    std::vector<UINT> expected;
  } cases[] = {
      {u"QuorlaTestDblClk", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {u"QuorlaTestWindow", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
  };
  for (const Case& c : cases) {
    WindowLog log;
    HWND hwnd = Shown(0, 0, 40, 40, c.className);
    log.Clear();
    // The toolkit reports the second press twice: as a press and as a
    // double click.
    SendMouse(hwnd, QEvent::MouseButtonPress, {10, 10});
    SendMouse(hwnd, QEvent::MouseButtonRelease, {10, 10});
    SendMouse(hwnd, QEvent::MouseButtonPress, {11, 10});
    SendMouse(hwnd, QEvent::MouseButtonDblClick, {11, 10});
    SendMouse(hwnd, QEvent::MouseButtonRelease, {11, 10});
    quorla_test::DrainMessages();
    EXPECT_EQ(log.MessagesOf(hwnd, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}), c.expected);
    DestroyWindow(hwnd);
  }
}

TEST(Input, DisabledWindowsGetNoMouseInput) {
  WindowLog log;
  HWND top = Shown(0, 0, 100, 100);
  HWND child = quorla_test::MakeChild(top, WS_VISIBLE, 0, 0, 50, 50);
  EnableWindow(child, FALSE);
  log.Clear();
  Click(top, {10, 10});
  quorla_test::DrainMessages();
  EXPECT_TRUE(log.Of(child, WM_LBUTTONDOWN).empty());
  EXPECT_EQ(log.Of(top, WM_LBUTTONDOWN).size(), 1u) << "the parent below takes it";
  EnableWindow(top, FALSE);
  log.Clear();
  Click(top, {70, 70});
  quorla_test::DrainMessages();
  EXPECT_TRUE(Messages(log, WM_LBUTTONDOWN).empty()) << "a disabled top-level window takes nothing";
  DestroyWindow(top);
}

TEST(Input, KeysGoToTheFocusWindowAndTranslateToCharacters) {
  WindowLog log;
  HWND top = Shown(0, 0, 100, 100);
  HWND child = quorla_test::MakeChild(top, WS_VISIBLE, 0, 0, 50, 50);
  SetFocus(child);
  EXPECT_EQ(GetFocus(), child);
  ASSERT_FALSE(log.Of(child, WM_SETFOCUS).empty());
  EXPECT_EQ(log.Of(child, WM_SETFOCUS).back().wParam, reinterpret_cast<WPARAM>(top));
  struct Case {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QString text;
    UINT down;
    WPARAM vk;
    std::vector<WPARAM> chars;
  } cases[] = {
      {Qt::Key_A, Qt::NoModifier, "a", WM_KEYDOWN, 'A', {'a'}},
      {Qt::Key_A, Qt::ShiftModifier, "A", WM_KEYDOWN, 'A', {'A'}},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", WM_KEYDOWN, VK_ESCAPE, {0x1B}},
      {Qt::Key_Return, Qt::NoModifier, "\r", WM_KEYDOWN, VK_RETURN, {'\r'}},
      {Qt::Key_5, Qt::NoModifier, "5", WM_KEYDOWN, '5', {'5'}},
      {Qt::Key_F5, Qt::NoModifier, "", WM_KEYDOWN, VK_F5, {}},
      {Qt::Key_Left, Qt::NoModifier, "", WM_KEYDOWN, VK_LEFT, {}},
      // (Alt+F4 closes the window: frame_input_test.cpp.)
      {Qt::Key_F5, Qt::AltModifier, "", WM_SYSKEYDOWN, VK_F5, {}},
  };
  QWidget* widget = quorla::WidgetOfWindow(top);
  ASSERT_NE(widget, nullptr);
  for (const Case& c : cases) {
    log.Clear();
    QKeyEvent press(QEvent::KeyPress, c.qtKey, c.modifiers, c.text);
    QKeyEvent release(QEvent::KeyRelease, c.qtKey, c.modifiers, c.text);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
    quorla_test::DrainMessages();
    auto down = log.Of(child, c.down);
    ASSERT_EQ(down.size(), 1u) << c.qtKey;
    EXPECT_EQ(down[0].wParam, c.vk);
    EXPECT_EQ(log.Of(child, c.down == WM_KEYDOWN ? WM_KEYUP : WM_SYSKEYUP).size(), 1u);
    std::vector<WPARAM> chars;
    for (const Seen& s : log.Of(child, WM_CHAR)) chars.push_back(s.wParam);
    EXPECT_EQ(chars, c.chars) << c.qtKey;
    EXPECT_TRUE(log.Of(top, WM_KEYDOWN).empty());
  }
  DestroyWindow(top);
}

TEST(Input, OtherWidgetsKeepTheirInput) {
  HWND hwnd = Shown(0, 0, 10, 10);  // the filter is installed
  struct Plain : QWidget {
    int presses = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
  } plain;
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&plain, &press);
  EXPECT_EQ(plain.presses, 1);
  DestroyWindow(hwnd);
}

TEST(Input, APressActivatesItsTopLevelWindowFirst) {
  WindowLog log;
  HWND b = Shown(200, 0, 50, 50);
  HWND a = Shown(0, 0, 50, 50);
  ASSERT_EQ(GetActiveWindow(), a);
  log.Clear();
  Click(a, {210, 10});
  quorla_test::DrainMessages();
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(log.MessagesOf(b, {WM_ACTIVATE, WM_SETFOCUS, WM_LBUTTONDOWN}),
            (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS, WM_LBUTTONDOWN}));
  EXPECT_EQ(log.Of(a, WM_ACTIVATE).at(0).wParam, MAKEWPARAM(WA_INACTIVE, 0));
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST(Input, APressOnTheDisabledOwnerOfAModalDialogActivatesAndRaisesTheDialog) {
  WindowLog log;
  HWND owner = Shown(0, 0, 200, 200);
  HWND dialog = CreateWindowExW(0, u"QuorlaTestWindow", u"", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, owner, nullptr,
                                nullptr, nullptr);
  quorla_test::DrainMessages();
  EnableWindow(owner, FALSE);
  SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetActiveWindow(owner);
  log.Clear();
  Click(owner, {10, 10});
  quorla_test::DrainMessages();
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(WindowFromPoint(POINT{100, 100}), dialog);
  EXPECT_TRUE(Messages(log, WM_LBUTTONDOWN).empty()) << "the disabled owner takes nothing";
  DestroyWindow(owner);
}

TEST(Input, CursorsAndPointerState) {
  struct Cursor {
    LPCWSTR id;
    Qt::CursorShape shape;
  } cursors[] = {{IDC_ARROW, Qt::ArrowCursor},      {IDC_HAND, Qt::PointingHandCursor}, {IDC_SIZEWE, Qt::SizeHorCursor},
                 {IDC_SIZENS, Qt::SizeVerCursor},   {IDC_SIZENWSE, Qt::SizeFDiagCursor}, {IDC_SIZENESW, Qt::SizeBDiagCursor},
                 {IDC_SIZEALL, Qt::SizeAllCursor},  {IDC_IBEAM, Qt::IBeamCursor},         {IDC_WAIT, Qt::WaitCursor}};
  EXPECT_EQ(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(1))), nullptr);
  WindowLog log;
  HWND hwnd = Shown(0, 0, 100, 100);
  HCURSOR wanted = nullptr;
  log.handlers[WM_SETCURSOR] = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (!wanted) return DefWindowProcW(h, m, w, l);
    SetCursor(wanted);
    return TRUE;
  };
  for (const Cursor& c : cursors) {
    wanted = LoadCursorW(nullptr, c.id);
    ASSERT_NE(wanted, nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, c.id), wanted) << "the same handle every time";
    SendMouse(hwnd, QEvent::MouseMove, {30, 40}, Qt::NoButton);
    quorla_test::DrainMessages();
    EXPECT_EQ(GetCursor(), wanted);
    EXPECT_EQ(quorla::WidgetOfWindow(hwnd)->cursor().shape(), c.shape);
  }
  wanted = nullptr;
  SendMouse(hwnd, QEvent::MouseMove, {31, 41}, Qt::NoButton);
  quorla_test::DrainMessages();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "the default gives the class cursor";
  POINT p;
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 31);
  EXPECT_EQ(p.y, 41);

  SHORT duringPress = 0, duringRelease = 0;
  log.handlers[WM_LBUTTONDOWN] = [&](HWND, UINT, WPARAM, LPARAM) {
    duringPress = GetKeyState(VK_LBUTTON);
    return 0;
  };
  log.handlers[WM_LBUTTONUP] = [&](HWND, UINT, WPARAM, LPARAM) {
    duringRelease = GetKeyState(VK_LBUTTON);
    return 0;
  };
  Click(hwnd, {10, 10});
  quorla_test::DrainMessages();
  EXPECT_LT(duringPress, 0);
  EXPECT_GE(duringRelease, 0);
  DestroyWindow(hwnd);
}

}  // namespace
