// Menu records and pop-up menus on screen. The on-screen menu is a QMenu;
// these tests drive it with key events as a person would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <atomic>
#include <functional>
#include <map>
#include <thread>
#include <vector>

#include "win/dc.h"
#include "win/input.h"
#include "win/last_error.h"
#include "win/text_draw.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/timers.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"
#include "window_test_support.h"

namespace {

constexpr UINT_PTR kOpen = 0x00650064;
constexpr UINT_PTR kExit = 0x00660064;

TEST(MenuRecordTest, ItemsDefaultsAndDestruction) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  HMENU subsub = CreatePopupMenu();
  ASSERT_TRUE(menu && sub && subsub);
  EXPECT_TRUE(AppendMenuW(menu, MF_STRING, kOpen, u"Quorla购物浏览器"));
  EXPECT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
  EXPECT_TRUE(AppendMenuW(menu, MF_STRING | MF_GRAYED, kExit, u"退出"));
  EXPECT_TRUE(AppendMenuW(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(subsub), u"deeper"));
  EXPECT_TRUE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"more"));
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuItemCount(sub), 1);

  struct DefaultCase {
    const char* name;
    UINT item;
    UINT byPosition;
    BOOL ok;
  } defaults[] = {
      {"by command", static_cast<UINT>(kOpen), FALSE, TRUE},
      {"a grayed item by command", static_cast<UINT>(kExit), FALSE, TRUE},
      {"by position", 3, TRUE, TRUE},
      {"a separator cannot be the default", 1, TRUE, FALSE},
      {"no such command", 12345, FALSE, FALSE},
      {"no such position", 4, TRUE, FALSE},
      {"none", static_cast<UINT>(-1), FALSE, TRUE},
  };
  for (const DefaultCase& c : defaults) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SetMenuDefaultItem(menu, c.item, c.byPosition), c.ok);
  }

  // A menu never goes inside itself.
  EXPECT_FALSE(AppendMenuW(subsub, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), u"loop"));
  EXPECT_FALSE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), u"self"));
  EXPECT_FALSE(AppendMenuW(menu, MF_POPUP, 0x1234, u"no such menu"));

  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_FALSE(IsMenu(subsub));
  EXPECT_FALSE(DestroyMenu(menu));
  EXPECT_EQ(GetMenuItemCount(menu), -1);
  EXPECT_FALSE(AppendMenuW(menu, MF_STRING, 1, u"late"));
}

// Qt's timers need the layer's Qt application, which text measuring makes.
void StartQt() {
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE extent{};
  GetTextExtentPoint32W(dc, u"x", 1, &extent);
  DeleteDC(dc);
}

// The owner window of the pop-up menus is hidden, as the tray's is.
class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartQt();
    owner_ = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
    ASSERT_NE(owner_, nullptr);
    menu_ = CreatePopupMenu();
    AppendMenuW(menu_, MF_STRING, kOpen, u"Quorla购物浏览器");
    AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu_, MF_STRING, kExit, u"退出");
    SetMenuDefaultItem(menu_, static_cast<UINT>(kOpen), FALSE);
    DrainQueue();
  }
  void TearDown() override {
    DestroyMenu(menu_);
    DestroyWindow(owner_);
    DrainQueue();
  }

  static void DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      DispatchMessageW(&msg);
    }
  }

  // Messages of the owner left in the queue, taken without dispatching.
  static std::vector<MSG> TakeQueued(HWND hwnd) {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) taken.push_back(msg);
    return taken;
  }

  // Presses keys on the open menu once it is up.
  static void PressWhenOpen(std::vector<int> keys, int delay = 30) {
    QTimer::singleShot(delay, [keys] {
      QWidget* popup = QApplication::activePopupWidget();
      ASSERT_NE(popup, nullptr);
      for (int key : keys) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(popup, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(popup, &release);
      }
    });
  }

  quorla_test::WindowLog log_;
  HWND owner_ = nullptr;
  HMENU menu_ = nullptr;
};

TEST_F(PopupMenuTest, AChoicePostsTheWholeIdentifierAndEscapePostsNothing) {
  struct ChoiceCase {
    const char* name;
    std::vector<int> keys;
    std::vector<WPARAM> commands;
  } cases[] = {
      {"first item", {Qt::Key_Down, Qt::Key_Return}, {kOpen}},
      {"past the separator", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, {kExit}},
      {"escape", {Qt::Key_Escape}, {}},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    PressWhenOpen(c.keys);
    EXPECT_TRUE(TrackPopupMenu(menu_, TPM_RIGHTBUTTON, 100, 100, 0, owner_, nullptr));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    std::vector<WPARAM> commands;
    for (const MSG& msg : TakeQueued(owner_)) {
      if (msg.message != WM_COMMAND) continue;
      commands.push_back(msg.wParam);
      EXPECT_EQ(msg.lParam, 0);
    }
    EXPECT_EQ(commands, c.commands);
  }
}

TEST_F(PopupMenuTest, ReturnCommandGivesTheIdentifierAndPostsNothing) {
  PressWhenOpen({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_RETURNCMD, 100, 100, 0, owner_, nullptr), static_cast<BOOL>(kExit));
  EXPECT_TRUE(TakeQueued(owner_).empty());
  PressWhenOpen({Qt::Key_Escape});
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_RETURNCMD, 100, 100, 0, owner_, nullptr), 0);
}

TEST_F(PopupMenuTest, TheDefaultItemIsBoldAndGrayedItemsAreDisabled) {
  AppendMenuW(menu_, MF_STRING | MF_GRAYED, 77, u"grey");
  std::vector<std::pair<bool, bool>> boldAndEnabled;
  QTimer::singleShot(30, [&] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    for (QAction* action : popup->actions())
      if (!action->isSeparator()) boldAndEnabled.push_back({action->font().bold(), action->isEnabled()});
    popup->close();
  });
  EXPECT_TRUE(TrackPopupMenu(menu_, 0, 100, 100, 0, owner_, nullptr));
  EXPECT_EQ(boldAndEnabled, (std::vector<std::pair<bool, bool>>{{true, true}, {false, true}, {false, false}}));
}

TEST_F(PopupMenuTest, KeptInsideTheScreen) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QRect area = screen->availableGeometry();
  struct Corner {
    const char* name;
    int x, y;
  } corners[] = {
      {"bottom-right corner", area.right(), area.bottom()},
      {"beyond the right edge", area.right() + 500, area.top() + 10},
      {"left of the screen", area.left() - 300, area.top() + 10},
  };
  for (const Corner& c : corners) {
    SCOPED_TRACE(c.name);
    QRect shown;
    QTimer::singleShot(30, [&] {
      QWidget* popup = QApplication::activePopupWidget();
      ASSERT_NE(popup, nullptr);
      shown = popup->geometry();
      popup->close();
    });
    EXPECT_TRUE(TrackPopupMenu(menu_, TPM_RIGHTBUTTON, c.x, c.y, 0, owner_, nullptr));
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(area.contains(shown)) << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                                      << shown.height();
  }
}

TEST_F(PopupMenuTest, ATimerTicksWhileTheMenuIsOpen) {
  int ticks = 0;
  log_.handlers[WM_TIMER] = [&](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
    if (++ticks == 3) {
      KillTimer(hwnd, 5);
      QWidget* popup = QApplication::activePopupWidget();
      EXPECT_NE(popup, nullptr);
      if (popup) popup->close();
    }
    return 0;
  };
  SetTimer(owner_, 5, 10, nullptr);
  EXPECT_TRUE(TrackPopupMenu(menu_, 0, 100, 100, 0, owner_, nullptr));
  EXPECT_EQ(ticks, 3);
}

TEST_F(PopupMenuTest, TheCaptureHolderHearsWhenTheMenuOpens) {
  SetCapture(owner_);
  PressWhenOpen({Qt::Key_Escape});
  log_.Clear();
  EXPECT_TRUE(TrackPopupMenu(menu_, 0, 100, 100, 0, owner_, nullptr));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(log_.Of(owner_, WM_CAPTURECHANGED).empty());
}

TEST_F(PopupMenuTest, QuitWhileOpenClosesTheMenuAndStaysQueued) {
  log_.handlers[WM_TIMER] = [](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
    KillTimer(hwnd, 6);
    PostQuitMessage(4);
    return 0;
  };
  SetTimer(owner_, 6, 10, nullptr);
  EXPECT_TRUE(TrackPopupMenu(menu_, 0, 100, 100, 0, owner_, nullptr));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(PopupMenuTest, OpenedInsideAMessageSentFromAnotherThread) {
  constexpr UINT kShowMenu = WM_APP + 30;
  BOOL tracked = FALSE;
  log_.handlers[kShowMenu] = [&](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
    PressWhenOpen({Qt::Key_Down, Qt::Key_Return});
    tracked = TrackPopupMenu(menu_, 0, 100, 100, 0, hwnd, nullptr);
    return LRESULT{7};
  };
  std::atomic<LRESULT> answer{0};
  HWND owner = owner_;
  std::thread sender([&] { answer = SendMessageW(owner, kShowMenu, 0, 0); });
  // This thread's loop handles the sent message, which shows the menu.
  while (answer == 0) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    else MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  sender.join();
  EXPECT_EQ(answer, 7);
  EXPECT_TRUE(tracked);
  DrainQueue();
  const auto commands = log_.Of(owner_, WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, kOpen);
}

TEST_F(PopupMenuTest, BadArgumentsAndASecondMenuAtOnce) {
  EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x99), 0, 0, 0, 0, owner_, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
  EXPECT_FALSE(TrackPopupMenu(menu_, 0, 0, 0, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

  BOOL second = TRUE;
  DWORD secondError = 0;
  log_.handlers[WM_TIMER] = [&](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
    KillTimer(hwnd, 8);
    second = TrackPopupMenu(menu_, 0, 0, 0, 0, hwnd, nullptr);
    secondError = GetLastError();
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    return 0;
  };
  SetTimer(owner_, 8, 10, nullptr);
  EXPECT_TRUE(TrackPopupMenu(menu_, 0, 100, 100, 0, owner_, nullptr));
  EXPECT_FALSE(second);
  EXPECT_EQ(secondError, ERROR_POPUP_ALREADY_ACTIVE);
}

// Windows carry no menu bar: taking the menu away succeeds, giving one fails
// and leaves none, so nobody believes a menu shown that never is.
TEST_F(PopupMenuTest, AWindowsMenuBarIsOnlyEverNone) {
  EXPECT_TRUE(SetMenu(owner_, nullptr));
  EXPECT_FALSE(SetMenu(owner_, menu_));
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  EXPECT_EQ(GetMenu(owner_), nullptr);
  EXPECT_TRUE(IsMenu(menu_)) << "the refused menu still belongs to its maker";
  EXPECT_FALSE(SetMenu(reinterpret_cast<HWND>(0x4321), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

}  // namespace
