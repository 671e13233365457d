#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <functional>
#include <thread>

#include "window_access.h"
#include "toolkit_input.h"
#include "window_test_support.h"
#include "win/last_error.h"
#include "win/mouse_tracking.h"

namespace {

using quorla_test::WindowLog;

// Two top-level windows side by side and a child in the first:
//   a (0,0)-(100,100) with child c at (60,60)-(90,90); b (200,0)-(300,100).
struct Desk {
  HWND a, b, c;
  Desk() {
    a = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    b = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
    c = quorla_test::MakeChild(a, WS_VISIBLE, 60, 60, 30, 30);
    quorla_test::DrainMessages();
  }
  ~Desk() {
    ReleaseCapture();
    DestroyWindow(a);
    DestroyWindow(b);
  }
};

// A move as the windowing system reports it: to the widget of a top-level
// window (the one under the pointer, or the grabbing one), at a screen point.
void Move(HWND via, QPoint screen) {
  quorla_test::SendMouse(via, QEvent::MouseMove, screen, Qt::NoButton);
  quorla_test::DrainMessages();
}

void LeaveWidget(HWND via) {
  QWidget* widget = quorla::WidgetOfWindow(via);
  ASSERT_NE(widget, nullptr);
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(widget, &event);
  quorla_test::DrainMessages();
}

BOOL Track(HWND hwnd, DWORD flags = TME_LEAVE) {
  TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), flags, hwnd, 0};
  BOOL ok = TrackMouseEvent(&request);
  quorla_test::DrainMessages();
  return ok;
}

size_t Leaves(const WindowLog& log, HWND hwnd) { return log.Of(hwnd, WM_MOUSELEAVE).size(); }

TEST(MouseLeave, OneMessagePerRequestWhereverThePointerGoes) {
  struct Case {
    const char* what;
    std::function<void(const Desk&)> go;
    size_t leaves;
  } cases[] = {
      {"staying inside", [](const Desk& d) { Move(d.a, {50, 20}); }, 0},
      {"onto a child", [](const Desk& d) { Move(d.a, {70, 70}); }, 1},
      {"onto another window", [](const Desk& d) { Move(d.b, {250, 50}); }, 1},
      {"off every window of the program", [](const Desk& d) { LeaveWidget(d.a); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WindowLog log;
    Desk desk;
    Move(desk.a, {10, 10});
    ASSERT_TRUE(Track(desk.a));
    EXPECT_EQ(Leaves(log, desk.a), 0u) << "the pointer is inside: nothing yet";
    c.go(desk);
    EXPECT_EQ(Leaves(log, desk.a), c.leaves);
    // Going on: a request still in force is spent by the next leave, and
    // nothing more comes after it.
    Move(desk.b, {260, 60});
    Move(desk.a, {20, 20});
    Move(desk.b, {260, 60});
    EXPECT_EQ(Leaves(log, desk.a), 1u) << "one per request";
    for (const auto& seen : log.Of(desk.a, WM_MOUSELEAVE)) {
      EXPECT_EQ(seen.wParam, 0u);
      EXPECT_EQ(seen.lParam, 0);
    }
  }
}

TEST(MouseLeave, EachNewRequestHearsOfTheNextLeave) {
  WindowLog log;
  Desk desk;
  for (int round = 1; round <= 3; ++round) {
    Move(desk.a, {70, 70});
    ASSERT_TRUE(Track(desk.c));
    Move(desk.a, {20, 20});  // from the child back onto its parent
    EXPECT_EQ(Leaves(log, desk.c), static_cast<size_t>(round));
  }
  EXPECT_EQ(Leaves(log, desk.a), 0u);
}

TEST(MouseLeave, UnderTheCaptureTheLeaveComesWhenThePointerGoesOutside) {
  WindowLog log;
  Desk desk;
  Move(desk.a, {10, 10});
  SetCapture(desk.a);
  ASSERT_TRUE(Track(desk.a));
  Move(desk.a, {95, 10});  // captured, still inside
  EXPECT_EQ(Leaves(log, desk.a), 0u);
  LeaveWidget(desk.a);  // the desktop's leave means nothing while the moves keep coming
  EXPECT_EQ(Leaves(log, desk.a), 0u);
  Move(desk.a, {150, 10});  // the grab brings the move outside to the holder
  EXPECT_EQ(Leaves(log, desk.a), 1u);
  EXPECT_EQ(GetCapture(), desk.a) << "the capture stays";
  EXPECT_FALSE(log.Of(desk.a, WM_MOUSEMOVE).empty());
}

TEST(MouseLeave, ARequestWhileThePointerIsElsewherePostsAtOnce) {
  struct Case {
    const char* what;
    std::function<void(const Desk&)> go;
    bool child;  // track the child of a instead of a
  } cases[] = {
      {"over another window", [](const Desk& d) { Move(d.b, {250, 50}); }, false},
      {"off the program",
       [](const Desk& d) {
         Move(d.a, {20, 20});
         LeaveWidget(d.a);
       },
       false},
      {"over the parent of the tracked child", [](const Desk& d) { Move(d.a, {20, 20}); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WindowLog log;
    Desk desk;
    c.go(desk);
    HWND tracked = c.child ? desk.c : desk.a;
    ASSERT_TRUE(Track(tracked));
    EXPECT_EQ(Leaves(log, tracked), 1u);
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, nullptr) << "the request is spent";
    Move(desk.b, {270, 70});
    EXPECT_EQ(Leaves(log, tracked), 1u);
  }
}

TEST(MouseLeave, CancelQueryAndBadRequests) {
  WindowLog log;
  Desk desk;
  Move(desk.a, {10, 10});
  ASSERT_TRUE(Track(desk.a));
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.dwFlags, TME_LEAVE);
  EXPECT_EQ(query.hwndTrack, desk.a);

  ASSERT_TRUE(Track(desk.b, TME_LEAVE | TME_CANCEL)) << "cancelling another window changes nothing";
  query = TRACKMOUSEEVENT{sizeof query, TME_QUERY, nullptr, 0};
  TrackMouseEvent(&query);
  EXPECT_EQ(query.hwndTrack, desk.a);
  ASSERT_TRUE(Track(desk.a, TME_LEAVE | TME_CANCEL));
  Move(desk.b, {250, 50});
  EXPECT_EQ(Leaves(log, desk.a), 0u) << "cancelled";

  // A request for another window replaces the one in force.
  Move(desk.a, {10, 10});
  ASSERT_TRUE(Track(desk.a));
  Move(desk.a, {70, 70});  // a's leave
  ASSERT_TRUE(Track(desk.c));
  Move(desk.b, {250, 50});
  EXPECT_EQ(Leaves(log, desk.a), 1u);
  EXPECT_EQ(Leaves(log, desk.c), 1u);

  struct Bad {
    const char* what;
    DWORD size, flags;
    HWND hwnd;
    DWORD error;
  } bad[] = {
      {"wrong size", sizeof(TRACKMOUSEEVENT) - 4, TME_LEAVE, desk.a, ERROR_INVALID_PARAMETER},
      {"no leave flag", sizeof(TRACKMOUSEEVENT), 0, desk.a, ERROR_INVALID_PARAMETER},
      {"hover is not offered", sizeof(TRACKMOUSEEVENT), 0x1, desk.a, ERROR_INVALID_PARAMETER},
      {"no window", sizeof(TRACKMOUSEEVENT), TME_LEAVE, nullptr, ERROR_INVALID_WINDOW_HANDLE},
      {"a dead window", sizeof(TRACKMOUSEEVENT), TME_LEAVE, reinterpret_cast<HWND>(0x7654), ERROR_INVALID_WINDOW_HANDLE},
  };
  for (const Bad& b : bad) {
    TRACKMOUSEEVENT request{b.size, b.flags, b.hwnd, 0};
    SetLastError(0);
    EXPECT_FALSE(TrackMouseEvent(&request)) << b.what;
    EXPECT_EQ(GetLastError(), b.error) << b.what;
  }
  EXPECT_FALSE(TrackMouseEvent(nullptr));
  // Another thread's window is not this thread's to track.
  HWND a = desk.a;
  std::thread([a] {
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, a, 0};
    EXPECT_FALSE(TrackMouseEvent(&request));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  }).join();
}

TEST(MouseLeave, ADestroyedWindowGetsNothingAndBreaksNothing) {
  WindowLog log;
  Desk desk;
  HWND child = quorla_test::MakeChild(desk.b, WS_VISIBLE, 10, 10, 50, 50);
  Move(desk.b, {220, 20});
  ASSERT_TRUE(Track(child));
  DestroyWindow(child);
  Move(desk.a, {10, 10});
  EXPECT_EQ(Leaves(log, child), 0u);
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  TrackMouseEvent(&query);
  EXPECT_EQ(query.hwndTrack, nullptr);
}

}  // namespace
