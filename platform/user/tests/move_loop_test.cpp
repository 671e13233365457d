// Moving a window with the mouse through WM_SYSCOMMAND SC_MOVE, driven by
// mouse events given to the window's widget as the desktop would give them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "win/dc.h"
#include "win/input.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/text_draw.h"
#include "win/timers.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

struct MoverLog {
  std::vector<POINT> moves;  // WM_MOVE's client origins
  int ticks = 0;
  int releases = 0;  // WM_LBUTTONUP that reached the window
  bool loopDone = false;
  bool releaseCaptureAtTick = false;
  bool escapeAtTick = false;
};
MoverLog* g_mover = nullptr;

LRESULT MoverProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MoverLog* log = g_mover;
  if (log) {
    switch (message) {
      case WM_LBUTTONDOWN:
        // As the notice pop-up does: a press anywhere drags the window.
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        log->loopDone = true;
        return 0;
      case WM_LBUTTONUP:
        ++log->releases;
        return 0;
      case WM_MOVE:
        log->moves.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
      case WM_TIMER:
        ++log->ticks;
        if (log->releaseCaptureAtTick && log->ticks == 2) ReleaseCapture();
        if (log->escapeAtTick && log->ticks == 2) PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void StartQt() {
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE extent{};
  GetTextExtentPoint32W(dc, u"x", 1, &extent);
  DeleteDC(dc);
}

// The top-level widget that shows a window.
QWidget* WidgetOf(HWND hwnd) {
  RECT area{};
  GetWindowRect(hwnd, &area);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (!widget->isVisible() || widget->inherits("QMenu")) continue;
    QRect geometry = widget->geometry();
    if (geometry.x() == area.left && geometry.y() == area.top && geometry.width() == area.right - area.left &&
        geometry.height() == area.bottom - area.top)
      return widget;
  }
  return nullptr;
}

// A mouse event at a screen point, aimed at the window's widget.
void SendMouse(HWND hwnd, QEvent::Type type, QPoint screen, Qt::MouseButtons buttons) {
  QWidget* widget = WidgetOf(hwnd);
  ASSERT_NE(widget, nullptr);
  QPointF local = QPointF(screen - widget->geometry().topLeft());
  Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, QPointF(screen), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

class MoveLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartQt();
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    if (!GetClassInfoExW(nullptr, u"QuorlaMover", &info)) {
      info.lpfnWndProc = MoverProcedure;
      info.lpszClassName = u"QuorlaMover";
      ASSERT_NE(RegisterClassExW(&info), 0);
    }
    g_mover = &log_;
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, u"QuorlaMover", nullptr, WS_POPUP | WS_VISIBLE, 100, 100, 200, 100,
                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd_, nullptr);
    Pump();
    log_ = MoverLog{};
  }
  void TearDown() override {
    DestroyWindow(hwnd_);
    g_mover = nullptr;
    Pump();
  }

  // Runs the thread's loop until the move loop has come and gone.
  void RunUntilLoopDone() {
    for (int rounds = 0; !log_.loopDone && rounds < 500; ++rounds) {
      MSG msg;
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      else MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  POINT Corner() const {
    RECT area{};
    GetWindowRect(hwnd_, &area);
    return POINT{area.left, area.top};
  }

  MoverLog log_;
  HWND hwnd_ = nullptr;
};

TEST_F(MoveLoopTest, ADragMovesTheWindowByThePointersTravelWhileTimersTick) {
  SetTimer(hwnd_, 1, 10, nullptr);
  SendMouse(hwnd_, QEvent::MouseButtonPress, QPoint(110, 110), Qt::LeftButton);
  HWND hwnd = hwnd_;
  QTimer::singleShot(60, [hwnd] { SendMouse(hwnd, QEvent::MouseMove, QPoint(140, 130), Qt::LeftButton); });
  QTimer::singleShot(120, [hwnd] { SendMouse(hwnd, QEvent::MouseMove, QPoint(160, 150), Qt::LeftButton); });
  QTimer::singleShot(180, [hwnd] { SendMouse(hwnd, QEvent::MouseButtonRelease, QPoint(165, 145), Qt::NoButton); });
  RunUntilLoopDone();
  ASSERT_TRUE(log_.loopDone);
  POINT corner = Corner();
  EXPECT_EQ(corner.x, 155);
  EXPECT_EQ(corner.y, 135);
  ASSERT_GE(log_.moves.size(), 2u);
  EXPECT_EQ(log_.moves.front().x, 130);
  EXPECT_EQ(log_.moves.front().y, 120);
  EXPECT_GT(log_.ticks, 2);
  EXPECT_EQ(log_.releases, 0);  // the loop took the release
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveLoopTest, AQuickClickQueuedBeforeTheLoopEndsItAtOnce) {
  SendMouse(hwnd_, QEvent::MouseButtonPress, QPoint(110, 110), Qt::LeftButton);
  SendMouse(hwnd_, QEvent::MouseButtonRelease, QPoint(110, 110), Qt::NoButton);
  RunUntilLoopDone();
  ASSERT_TRUE(log_.loopDone);
  Pump();
  POINT corner = Corner();
  EXPECT_EQ(corner.x, 100);
  EXPECT_EQ(corner.y, 100);
  EXPECT_TRUE(log_.moves.empty());
  EXPECT_EQ(log_.releases, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveLoopTest, EndsAtOnceWhenTheButtonIsAlreadyUp) {
  ASSERT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  EXPECT_EQ(SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(log_.moves.empty());
}

TEST_F(MoveLoopTest, CaptureLostOrEscapeEndsTheDrag) {
  struct EndCase {
    const char* name;
    bool releaseCapture;
    bool escape;
    POINT corner;
  } cases[] = {
      {"the capture goes away: the window stays where it got to", true, false, {130, 120}},
      {"escape: the window goes back", false, true, {100, 100}},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetWindowPos(hwnd_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    log_ = MoverLog{};
    log_.releaseCaptureAtTick = c.releaseCapture;
    log_.escapeAtTick = c.escape;
    SendMouse(hwnd_, QEvent::MouseButtonPress, QPoint(110, 110), Qt::LeftButton);
    HWND hwnd = hwnd_;
    QTimer::singleShot(5, [hwnd] { SendMouse(hwnd, QEvent::MouseMove, QPoint(140, 130), Qt::LeftButton); });
    SetTimer(hwnd_, 2, 40, nullptr);
    RunUntilLoopDone();
    KillTimer(hwnd_, 2);
    ASSERT_TRUE(log_.loopDone);
    POINT corner = Corner();
    EXPECT_EQ(corner.x, c.corner.x);
    EXPECT_EQ(corner.y, c.corner.y);
    EXPECT_EQ(GetCapture(), nullptr);
    // The button is still down for the layer: let it go.
    SendMouse(hwnd_, QEvent::MouseButtonRelease, QPoint(140, 130), Qt::NoButton);
    Pump();
  }
}

}  // namespace
