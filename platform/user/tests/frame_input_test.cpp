// The frame's input: which part of a window the pointer is over decides
// between client and non-client messages; the caption's default handling
// moves, maximises and restores through WM_SYSCOMMAND; the window menu;
// Alt+F4; and what the desktop asks of a window. Input is given to the
// windows' widgets as Qt events, as the desktop would give it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "window_access.h"
#include "toolkit_input.h"
#include "window_test_support.h"
#include "win/menus.h"

namespace {

using quorla_test::SendMouse;
using quorla_test::Seen;
using quorla_test::WindowLog;

constexpr int kCaptionHeight = 20;

// The top kCaptionHeight rows of a window answer HTCAPTION, its left three
// columns HTLEFT; the rest is what the default says.
LRESULT CaptionHitTest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT code = DefWindowProcW(hwnd, message, wParam, lParam);
  if (code != HTCLIENT) return code;
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  if (GET_Y_LPARAM(lParam) < rect.top + kCaptionHeight) return HTCAPTION;
  if (GET_X_LPARAM(lParam) < rect.left + 3) return HTLEFT;
  return HTCLIENT;
}

HWND Shown(int x, int y, int w, int h, DWORD style = WS_POPUP) {
  HWND hwnd = quorla_test::MakeTopLevel(style | WS_VISIBLE, x, y, w, h);
  quorla_test::DrainMessages();
  return hwnd;
}

LPARAM ScreenParam(QPoint p) { return MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())); }

std::vector<Seen> Mice(const WindowLog& log, HWND hwnd) {
  std::vector<Seen> out;
  for (const Seen& s : log.seen) {
    const bool client = s.message >= WM_MOUSEFIRST && s.message <= WM_MBUTTONDBLCLK;
    const bool nonClient = s.message >= WM_NCMOUSEMOVE && s.message <= WM_NCMBUTTONDBLCLK;
    if (s.hwnd == hwnd && (client || nonClient)) out.push_back(s);
  }
  return out;
}

TEST(FrameInput, TheHitCodeChoosesBetweenClientAndNonClientMessages) {
  struct Case {
    const char* name;
    QEvent::Type type;
    Qt::MouseButton button;
    QPoint screen;
    UINT message;
    WPARAM wParam;  // for non-client messages the hit code
    LPARAM lParam;  // client point, or the screen point for non-client messages
    int hitCode;    // in WM_SETCURSOR
    UINT cursorMessage;
  } cases[] = {
      {"press in the caption", QEvent::MouseButtonPress, Qt::LeftButton, {150, 105}, WM_NCLBUTTONDOWN, HTCAPTION,
       ScreenParam({150, 105}), HTCAPTION, WM_LBUTTONDOWN},
      {"release in the caption", QEvent::MouseButtonRelease, Qt::LeftButton, {150, 105}, WM_NCLBUTTONUP, HTCAPTION,
       ScreenParam({150, 105}), HTCAPTION, WM_LBUTTONUP},
      {"move over the caption", QEvent::MouseMove, Qt::NoButton, {260, 119}, WM_NCMOUSEMOVE, HTCAPTION,
       ScreenParam({260, 119}), HTCAPTION, WM_MOUSEMOVE},
      {"right press on the left edge", QEvent::MouseButtonPress, Qt::RightButton, {101, 200}, WM_NCRBUTTONDOWN, HTLEFT,
       ScreenParam({101, 200}), HTLEFT, WM_RBUTTONDOWN},
      {"press in the client area", QEvent::MouseButtonPress, Qt::LeftButton, {150, 120}, WM_LBUTTONDOWN, MK_LBUTTON,
       MAKELPARAM(50, 20), HTCLIENT, WM_LBUTTONDOWN},
      {"move in the client area", QEvent::MouseMove, Qt::NoButton, {103, 249}, WM_MOUSEMOVE, 0, MAKELPARAM(3, 149),
       HTCLIENT, WM_MOUSEMOVE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    log.handlers[WM_NCHITTEST] = CaptionHitTest;
    // The defaults of these are tested below.
    for (UINT m : {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP})
      log.handlers[m] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    HWND hwnd = Shown(100, 100, 200, 150);
    log.Clear();
    SendMouse(hwnd, c.type, c.screen, c.button);
    quorla_test::DrainMessages();
    auto mice = Mice(log, hwnd);
    ASSERT_EQ(mice.size(), 1u);
    EXPECT_EQ(mice[0].message, c.message);
    EXPECT_EQ(mice[0].wParam, c.wParam);
    EXPECT_EQ(mice[0].lParam, c.lParam);
    auto hits = log.Of(hwnd, WM_NCHITTEST);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].lParam, ScreenParam(c.screen)) << "asked with the screen point";
    auto cursor = log.Of(hwnd, WM_SETCURSOR);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor[0].lParam, MAKELPARAM(static_cast<WORD>(c.hitCode), static_cast<WORD>(c.cursorMessage)));
    DestroyWindow(hwnd);
  }
}

TEST(FrameInput, TheCaptureWindowGetsClientMessagesWithoutBeingAsked) {
  WindowLog log;
  log.handlers[WM_NCHITTEST] = CaptionHitTest;
  HWND hwnd = Shown(100, 100, 200, 150);
  SetCapture(hwnd);
  log.Clear();
  SendMouse(hwnd, QEvent::MouseMove, {150, 105});
  SendMouse(hwnd, QEvent::MouseButtonPress, {150, 105});
  SendMouse(hwnd, QEvent::MouseButtonRelease, {150, 105});
  quorla_test::DrainMessages();
  EXPECT_TRUE(log.Of(hwnd, WM_NCHITTEST).empty());
  EXPECT_EQ(log.MessagesOf(hwnd, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_NCMOUSEMOVE}),
            (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
  ReleaseCapture();
  DestroyWindow(hwnd);
}

TEST(FrameInput, TheDefaultHitTestIsClientInsideAndNowhereOutside) {
  HWND hwnd = Shown(100, 100, 200, 150);
  struct Case {
    int x, y;
    LRESULT code;
  } cases[] = {{100, 100, HTCLIENT}, {299, 249, HTCLIENT}, {300, 120, HTNOWHERE}, {150, 250, HTNOWHERE},
               {99, 120, HTNOWHERE}, {150, 99, HTNOWHERE}, {200, 200, HTCLIENT}};
  for (const Case& c : cases) {
    EXPECT_EQ(DefWindowProcW(hwnd, WM_NCHITTEST, 0, ScreenParam({c.x, c.y})), c.code) << c.x << "," << c.y;
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, ScreenParam({c.x, c.y})), c.code) << c.x << "," << c.y;
  }
  DestroyWindow(hwnd);
}

TEST(FrameInput, TheDefaultCursorFollowsTheHitCode) {
  HWND hwnd = Shown(100, 100, 200, 150);
  struct Case {
    int hit;
    LPCWSTR cursor;
  } cases[] = {{HTCLIENT, IDC_ARROW},       {HTCAPTION, IDC_ARROW},     {HTLEFT, IDC_SIZEWE},
               {HTRIGHT, IDC_SIZEWE},       {HTTOP, IDC_SIZENS},        {HTBOTTOM, IDC_SIZENS},
               {HTTOPLEFT, IDC_SIZENWSE},   {HTBOTTOMRIGHT, IDC_SIZENWSE}, {HTTOPRIGHT, IDC_SIZENESW},
               {HTBOTTOMLEFT, IDC_SIZENESW}, {HTNOWHERE, IDC_ARROW}};
  for (const Case& c : cases) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_TRUE(DefWindowProcW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                               MAKELPARAM(static_cast<WORD>(c.hit), WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor)) << c.hit;
  }
  DestroyWindow(hwnd);
}

// Runs the thread's loop until done() or about two seconds have passed.
template <class Done>
void RunUntil(Done done) {
  for (int rounds = 0; !done() && rounds < 200; ++rounds) {
    quorla_test::DrainMessages();
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

std::vector<WPARAM> SystemCommands(const WindowLog& log, HWND hwnd) {
  std::vector<WPARAM> out;
  for (const Seen& s : log.Of(hwnd, WM_SYSCOMMAND)) out.push_back(s.wParam);
  return out;
}

TEST(FrameInput, ADragOnTheCaptionMovesTheWindowUnlessItIsMaximised) {
  for (bool maximised : {false, true}) {
    SCOPED_TRACE(maximised ? "maximised" : "restored");
    WindowLog log;
    log.handlers[WM_NCHITTEST] = CaptionHitTest;
    HWND hwnd = Shown(100, 100, 200, 150, WS_POPUP | WS_MAXIMIZEBOX);
    if (maximised) ShowWindow(hwnd, SW_MAXIMIZE);
    quorla_test::DrainMessages();
    RECT before{};
    GetWindowRect(hwnd, &before);
    const QPoint grab(before.left + 50, before.top + 5);
    log.Clear();
    bool released = false;
    SendMouse(hwnd, QEvent::MouseButtonPress, grab);
    QTimer::singleShot(40, [&] { SendMouse(hwnd, QEvent::MouseMove, grab + QPoint(30, 40), Qt::LeftButton); });
    QTimer::singleShot(80, [&] {
      SendMouse(hwnd, QEvent::MouseButtonRelease, grab + QPoint(35, 45));
      released = true;
    });
    RunUntil([&] { return released; });
    quorla_test::DrainMessages();
    RECT after{};
    GetWindowRect(hwnd, &after);
    if (maximised) {
      EXPECT_TRUE(SystemCommands(log, hwnd).empty());
      EXPECT_EQ(after.left, before.left);
      EXPECT_EQ(after.top, before.top);
    } else {
      ASSERT_EQ(SystemCommands(log, hwnd), (std::vector<WPARAM>{SC_MOVE | HTCAPTION}));
      EXPECT_EQ(log.Of(hwnd, WM_SYSCOMMAND)[0].lParam, ScreenParam(grab));
      EXPECT_EQ(after.left, before.left + 35);
      EXPECT_EQ(after.top, before.top + 45);
    }
    EXPECT_TRUE(log.Of(hwnd, WM_LBUTTONDOWN).empty()) << "never a client press";
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(hwnd);
  }
}

TEST(FrameInput, ADoubleClickOnTheCaptionMaximisesAndRestoresWhateverTheClass) {
  WindowLog log;
  log.handlers[WM_NCHITTEST] = CaptionHitTest;
  // The test class has no CS_DBLCLKS: the caption takes double clicks all the same.
  HWND hwnd = Shown(100, 100, 200, 150, WS_POPUP | WS_MAXIMIZEBOX);
  std::vector<bool> zoomedInSize;
  log.handlers[WM_SIZE] = [&](HWND h, UINT, WPARAM, LPARAM) -> LRESULT {
    zoomedInSize.push_back(IsZoomed(h) != FALSE);
    return 0;
  };
  log.Clear();
  auto doubleClick = [&](QPoint p) {
    SendMouse(hwnd, QEvent::MouseButtonPress, p);
    SendMouse(hwnd, QEvent::MouseButtonRelease, p);
    SendMouse(hwnd, QEvent::MouseButtonPress, p);
    SendMouse(hwnd, QEvent::MouseButtonRelease, p);
    quorla_test::DrainMessages();
  };
  doubleClick({150, 105});
  EXPECT_TRUE(IsZoomed(hwnd));
  RECT maximised{};
  GetWindowRect(hwnd, &maximised);
  doubleClick({maximised.left + 50, maximised.top + 5});
  EXPECT_FALSE(IsZoomed(hwnd));
  RECT restored{};
  GetWindowRect(hwnd, &restored);
  EXPECT_EQ(restored.left, 100);
  EXPECT_EQ(restored.right, 300);
  // The first press starts a move that its release ends at once; the
  // maximised window takes no move.
  EXPECT_EQ(SystemCommands(log, hwnd), (std::vector<WPARAM>{SC_MOVE | HTCAPTION, SC_MAXIMIZE, SC_RESTORE}));
  EXPECT_EQ(log.Of(hwnd, WM_NCLBUTTONDBLCLK).size(), 2u);
  EXPECT_TRUE(log.Of(hwnd, WM_LBUTTONDBLCLK).empty());
  EXPECT_EQ(zoomedInSize, (std::vector<bool>{true, false}));
  DestroyWindow(hwnd);
}

struct MenuItemSeen {
  QString text;
  bool enabled;
  bool operator==(const MenuItemSeen&) const = default;
};

// While the next menu is open: its items, then the keys.
void ReadMenuWhenOpen(std::vector<MenuItemSeen>* items, std::vector<int> keys) {
  QTimer::singleShot(30, [items, keys] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) items->push_back({action->text(), action->isEnabled()});
    for (int key : keys) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(menu, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
      QApplication::sendEvent(menu, &release);
    }
  });
}

TEST(FrameInput, TheWindowMenuEnablesItsItemsByStateAndSendsTheChoiceAsASystemCommand) {
  const auto down = Qt::Key_Down;
  struct Case {
    const char* name;
    int show;
    DWORD style;
    bool rightClick;  // on the caption; else SC_KEYMENU
    std::vector<bool> enabled;  // 还原 移动 大小 最小化 最大化 关闭
    std::vector<int> keys;
    std::vector<WPARAM> commands;  // after the menu closed
  } cases[] = {
      {"restored", SW_SHOWNORMAL, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, {false, true, false, true, true, true},
       {Qt::Key_Escape}, {SC_KEYMENU}},
      {"maximised", SW_MAXIMIZE, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, {true, false, false, true, false, true},
       {Qt::Key_Escape}, {SC_KEYMENU}},
      {"minimised", SW_MINIMIZE, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, {true, false, false, false, true, true},
       {Qt::Key_Escape}, {SC_KEYMENU}},
      {"without boxes", SW_SHOWNORMAL, 0, false, {false, true, false, false, false, true}, {Qt::Key_Escape},
       {SC_KEYMENU}},
      // Greyed items are skipped: 还原 and 大小 on a restored window.
      {"maximise from the keyboard menu", SW_SHOWNORMAL, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false,
       {false, true, false, true, true, true}, {down, down, down, Qt::Key_Return}, {SC_KEYMENU, SC_MAXIMIZE}},
      {"minimise from a right click on the caption", SW_SHOWNORMAL, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true,
       {false, true, false, true, true, true}, {down, down, Qt::Key_Return}, {SC_MINIMIZE}},
  };
  const char16_t* names[] = {u"还原", u"移动", u"大小", u"最小化", u"最大化", u"关闭\tAlt+F4"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    log.handlers[WM_NCHITTEST] = CaptionHitTest;
    HWND hwnd = Shown(100, 100, 200, 150, WS_POPUP | c.style);
    ShowWindow(hwnd, c.show);
    quorla_test::DrainMessages();
    log.Clear();
    std::vector<MenuItemSeen> items;
    ReadMenuWhenOpen(&items, c.keys);
    if (c.rightClick) {
      SendMouse(hwnd, QEvent::MouseButtonPress, {150, 105}, Qt::RightButton);
      SendMouse(hwnd, QEvent::MouseButtonRelease, {150, 105}, Qt::RightButton);
      quorla_test::DrainMessages();
    } else {
      SendMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    }
    std::vector<MenuItemSeen> expected;
    for (size_t i = 0; i < 6; ++i) expected.push_back({QString::fromUtf16(names[i]), c.enabled[i]});
    EXPECT_EQ(items, expected);
    quorla_test::DrainMessages();
    EXPECT_EQ(SystemCommands(log, hwnd), c.commands);
    EXPECT_EQ(IsZoomed(hwnd) != FALSE, c.show == SW_MAXIMIZE || c.commands.back() == SC_MAXIMIZE);
    EXPECT_EQ(IsIconic(hwnd) != FALSE, c.show == SW_MINIMIZE || c.commands.back() == SC_MINIMIZE);
    DestroyWindow(hwnd);
  }
}

TEST(FrameInput, AltF4ClosesTheTopLevelWindowThroughTheSystemCommand) {
  struct Case {
    const char* name;
    bool focusOnChild;
    bool refuseClose;
  } cases[] = {{"from a child", true, false}, {"from the window itself", false, false}, {"refused", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    HWND top = Shown(100, 100, 200, 150);
    HWND child = quorla_test::MakeChild(top, WS_VISIBLE, 10, 10, 50, 50);
    SetFocus(c.focusOnChild ? child : top);
    if (c.refuseClose) log.handlers[WM_CLOSE] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    log.Clear();
    QWidget* widget = quorla::WidgetOfWindow(top);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
    QCoreApplication::sendEvent(widget, &press);
    quorla_test::DrainMessages();
    if (IsWindow(top)) {
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_F4, Qt::AltModifier);
      QCoreApplication::sendEvent(widget, &release);
    }
    HWND focus = c.focusOnChild ? child : top;
    EXPECT_EQ(log.Of(focus, WM_SYSKEYDOWN).size(), 1u);
    auto commands = log.Of(top, WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_CLOSE);
    EXPECT_EQ(log.Of(top, WM_CLOSE).size(), 1u);
    EXPECT_TRUE(log.Of(child, WM_SYSCOMMAND).empty());
    EXPECT_EQ(IsWindow(top) != FALSE, c.refuseClose);
    if (IsWindow(top)) DestroyWindow(top);
  }
}

TEST(FrameInput, TheDesktopsRequestsArriveAsSystemCommands) {
  struct Case {
    const char* name;
    int startShow;                            // the layer's state first
    std::function<void(QWidget*)> desktop;    // what the desktop does
    WPARAM command;
    bool refuse;
    bool zoomedAfter, iconicAfter;
    Qt::WindowStates widgetAfter;
  } cases[] = {
      {"minimise", SW_SHOWNORMAL, [](QWidget* w) { w->setWindowState(Qt::WindowMinimized); }, SC_MINIMIZE, false,
       false, true, Qt::WindowNoState},
      {"maximise", SW_SHOWNORMAL, [](QWidget* w) { w->setWindowState(Qt::WindowMaximized); }, SC_MAXIMIZE, false,
       true, false, Qt::WindowMaximized},
      {"restore", SW_MAXIMIZE, [](QWidget* w) { w->setWindowState(Qt::WindowNoState); }, SC_RESTORE, false, false,
       false, Qt::WindowNoState},
      {"minimise refused", SW_SHOWNORMAL, [](QWidget* w) { w->setWindowState(Qt::WindowMinimized); }, SC_MINIMIZE,
       true, false, false, Qt::WindowNoState},
      {"maximise refused", SW_SHOWNORMAL, [](QWidget* w) { w->setWindowState(Qt::WindowMaximized); }, SC_MAXIMIZE,
       true, false, false, Qt::WindowNoState},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    HWND hwnd = Shown(100, 100, 200, 150, WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    ShowWindow(hwnd, c.startShow);
    quorla_test::DrainMessages();
    if (c.refuse) log.handlers[WM_SYSCOMMAND] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    log.Clear();
    QWidget* widget = quorla::WidgetOfWindow(hwnd);
    ASSERT_NE(widget, nullptr);
    c.desktop(widget);
    EXPECT_TRUE(log.Of(hwnd, WM_SYSCOMMAND).empty()) << "not while Qt delivers the change";
    quorla_test::DrainMessages();
    EXPECT_EQ(SystemCommands(log, hwnd), (std::vector<WPARAM>{c.command}));
    EXPECT_EQ(IsZoomed(hwnd) != FALSE, c.zoomedAfter);
    EXPECT_EQ(IsIconic(hwnd) != FALSE, c.iconicAfter);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    // Without a window manager a minimised window is off the screen.
    EXPECT_EQ(widget->isVisible(), !c.iconicAfter);
    if (!c.iconicAfter) {
      EXPECT_EQ(widget->windowState(), c.widgetAfter);
    }
    DestroyWindow(hwnd);
  }
}

TEST(FrameInput, TheDesktopsCloseIsASystemCommandWhoseDefaultSendsClose) {
  for (bool refused : {true, false}) {
    SCOPED_TRACE(refused ? "the program refuses" : "the default handling");
    WindowLog log;
    HWND hwnd = Shown(0, 0, 10, 10);
    if (refused) log.handlers[WM_CLOSE] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    log.Clear();
    QCloseEvent close;
    QCoreApplication::sendEvent(quorla::WidgetOfWindow(hwnd), &close);
    EXPECT_FALSE(close.isAccepted());
    quorla_test::DrainMessages();
    EXPECT_EQ(log.MessagesOf(hwnd, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              refused ? (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE})
                      : (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(log.Of(hwnd, WM_SYSCOMMAND)[0].wParam, SC_CLOSE);
    EXPECT_EQ(IsWindow(hwnd) != FALSE, refused);
    if (refused) {
      EXPECT_TRUE(IsWindowVisible(hwnd));
      EXPECT_TRUE(quorla::WidgetOfWindow(hwnd)->isVisible());
      DestroyWindow(hwnd);
    }
  }
}

}  // namespace
