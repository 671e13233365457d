// Moving a window with the mouse through WM_SYSCOMMAND SC_MOVE, driven by
// mouse events given to the window's widget as the desktop would give them.
#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>
#include <vector>

#include "window_access.h"
#include "toolkit_input.h"
#include "window_test_support.h"
#include "win/menus.h"

namespace {

using quorla_test::Edges;
using quorla_test::SendMouse;
using quorla_test::WindowLog;

// A tool window at (100,100)-(300,200) that, as the notice pop-up does,
// drags itself from a press anywhere; what it heard meanwhile.
class MoveLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_.handlers[WM_LBUTTONDOWN] = [this](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
      SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
      loopDone_ = true;
      return 0;
    };
    log_.handlers[WM_LBUTTONUP] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    log_.handlers[WM_TIMER] = [this](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
      if (++ticks_ == 2 && endAtSecondTick_) endAtSecondTick_(hwnd);
      return 0;
    };
    hwnd_ = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, u"QuorlaTestWindow",
                                      WS_EX_TOOLWINDOW);
    ASSERT_NE(hwnd_, nullptr);
    quorla_test::DrainMessages();
    log_.Clear();
  }
  void TearDown() override {
    DestroyWindow(hwnd_);
    quorla_test::DrainMessages();
  }

  // Runs the thread's loop until the move loop has come and gone.
  void RunUntilLoopDone() {
    for (int rounds = 0; !loopDone_ && rounds < 500; ++rounds) {
      MSG msg;
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      else MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ASSERT_TRUE(loopDone_);
  }
  Edges Corner() const { return quorla_test::WindowEdges(hwnd_); }

  WindowLog log_;
  HWND hwnd_ = nullptr;
  bool loopDone_ = false;
  int ticks_ = 0;
  std::function<void(HWND)> endAtSecondTick_;
};

TEST_F(MoveLoopTest, ADragMovesTheWindowByThePointersTravelWhileTimersTick) {
  SetTimer(hwnd_, 1, 10, nullptr);
  SendMouse(hwnd_, QEvent::MouseButtonPress, QPoint(110, 110));
  HWND hwnd = hwnd_;
  QTimer::singleShot(60, [hwnd] { SendMouse(hwnd, QEvent::MouseMove, QPoint(140, 130)); });
  QTimer::singleShot(120, [hwnd] { SendMouse(hwnd, QEvent::MouseMove, QPoint(160, 150)); });
  QTimer::singleShot(180, [hwnd] { SendMouse(hwnd, QEvent::MouseButtonRelease, QPoint(165, 145)); });
  RunUntilLoopDone();
  KillTimer(hwnd_, 1);
  EXPECT_EQ(Corner(), (Edges{155, 135, 355, 235}));
  auto moves = log_.Of(hwnd_, WM_MOVE);
  ASSERT_GE(moves.size(), 2u);
  EXPECT_EQ(moves.front().lParam, MAKELPARAM(130, 120));
  EXPECT_GT(ticks_, 2);
  EXPECT_TRUE(log_.Of(hwnd_, WM_LBUTTONUP).empty()) << "the loop took the release";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveLoopTest, AQuickClickQueuedBeforeTheLoopOrAButtonAlreadyUpEndsItAtOnce) {
  SendMouse(hwnd_, QEvent::MouseButtonPress, QPoint(110, 110));
  SendMouse(hwnd_, QEvent::MouseButtonRelease, QPoint(110, 110));
  RunUntilLoopDone();
  quorla_test::DrainMessages();
  ASSERT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  EXPECT_EQ(SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0), 0);
  EXPECT_EQ(Corner(), (Edges{100, 100, 300, 200}));
  EXPECT_TRUE(log_.Of(hwnd_, WM_MOVE).empty());
  EXPECT_TRUE(log_.Of(hwnd_, WM_LBUTTONUP).empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveLoopTest, CaptureLostOrEscapeEndsTheDrag) {
  struct EndCase {
    const char* name;
    std::function<void(HWND)> end;
    Edges corner;
  } cases[] = {
      {"the capture goes away: the window stays where it got to", [](HWND) { ReleaseCapture(); },
       {130, 120, 330, 220}},
      {"escape: the window goes back", [](HWND h) { PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0); },
       {100, 100, 300, 200}},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetWindowPos(hwnd_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    quorla_test::DrainMessages();
    loopDone_ = false;
    ticks_ = 0;
    endAtSecondTick_ = c.end;
    SendMouse(hwnd_, QEvent::MouseButtonPress, QPoint(110, 110));
    HWND hwnd = hwnd_;
    QTimer::singleShot(5, [hwnd] { SendMouse(hwnd, QEvent::MouseMove, QPoint(140, 130)); });
    SetTimer(hwnd_, 2, 40, nullptr);
    RunUntilLoopDone();
    KillTimer(hwnd_, 2);
    EXPECT_EQ(Corner(), c.corner);
    EXPECT_EQ(GetCapture(), nullptr);
    // The button is still down for the layer: let it go.
    SendMouse(hwnd_, QEvent::MouseButtonRelease, QPoint(140, 130));
    quorla_test::DrainMessages();
  }
}

}  // namespace
