// Windows that drag themselves from a press anywhere: the press posts
// WM_NCLBUTTONDOWN with HTCAPTION, and the default handling runs the move
// loop. A child (a bar inside a main window) moves in its parent's client
// area; a window shaped by a region lies over a hosted widget (a page) and
// takes the clicks inside its shape. Input is given to the toolkit's widgets
// as the windowing system would give it: the widget under the point takes it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "hosted_widgets_qt.h"
#include "window_access.h"
#include "window_test_support.h"
#include "win/menus.h"
#include "win/regions.h"

namespace {

using quorla_test::WindowLog;

// Hands one mouse event to the widget under the screen point, within the
// top-level window's widget, without dispatching what it queues.
void Send(HWND top, QEvent::Type type, QPoint screen, Qt::MouseButtons held) {
  QWidget* widget = quorla::WidgetOfWindow(top);
  ASSERT_NE(widget, nullptr);
  if (QWidget* child = widget->childAt(widget->mapFromGlobal(screen))) widget = child;
  const QPointF local = widget->mapFromGlobal(QPointF(screen));
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, local, QPointF(screen), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// Dispatches messages up to and including the first left press.
void DispatchThroughPress() {
  MSG msg;
  for (int guard = 0; guard < 100 && GetMessageW(&msg, nullptr, 0, 0) > 0; ++guard) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (msg.message == WM_LBUTTONDOWN) return;
  }
}

void RunUntil(const std::function<bool()>& done) {
  for (int rounds = 0; !done() && rounds < 1000; ++rounds) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    else MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Where a window is: a child in its parent's client area, else on the screen.
std::pair<LONG, LONG> Place(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  POINT corner{rect.left, rect.top};
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) ScreenToClient(GetParent(hwnd), &corner);
  return {corner.x, corner.y};
}

// A press on the window posts the caption press with the point in client
// coordinates, as the skinned windows do.
LRESULT PostCaptionPress(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
  return 0;
}

class PostedCaptionDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    child_ = quorla_test::MakeChild(top_, WS_CHILD | WS_VISIBLE, 20, 30, 100, 50);
    quorla_test::DrainMessages();
    log_.handlers[WM_LBUTTONDOWN] = PostCaptionPress;
    log_.Clear();
  }
  void TearDown() override {
    DestroyWindow(top_);
    quorla_test::DrainMessages();
  }

  // Presses at a screen point, lets the press be handled, then moves the
  // pointer by early in two steps before the posted request is handled;
  // later the pointer travels by travel from there and is released. Returns
  // when the release was given.
  void Drag(QPoint press, QPoint early, QPoint travel) {
    Send(top_, QEvent::MouseButtonPress, press, Qt::LeftButton);
    DispatchThroughPress();  // it posts the request
    const QPoint seen = press + early;
    if (early != QPoint()) {
      Send(top_, QEvent::MouseMove, press + early / 2, Qt::LeftButton);
      Send(top_, QEvent::MouseMove, seen, Qt::LeftButton);
    }
    bool released = false;
    HWND top = top_;
    QTimer::singleShot(30, [=] { Send(top, QEvent::MouseMove, seen + travel / 2, Qt::LeftButton); });
    QTimer::singleShot(60, [=] { Send(top, QEvent::MouseMove, seen + travel, Qt::LeftButton); });
    QTimer::singleShot(90, [=, &released] {
      Send(top, QEvent::MouseButtonRelease, seen + travel, Qt::NoButton);
      released = true;
    });
    RunUntil([&] { return released; });
    quorla_test::DrainMessages();
  }

  WindowLog log_;
  HWND top_ = nullptr;
  HWND child_ = nullptr;
};

TEST_F(PostedCaptionDrag, TheWindowMovesByThePointersTravelFromWhereTheRequestWasHandled) {
  struct Case {
    const char* name;
    bool child;
    QPoint early;  // pointer travel between the press and the handling of the request
    QPoint travel;
  } cases[] = {
      {"a pop-up, 50 px", false, {0, 0}, {50, 50}},
      {"a pop-up, moved before the request was handled", false, {10, 6}, {50, 40}},
      {"a child, 50 px", true, {0, 0}, {50, 50}},
      {"a child, moved before the request was handled", true, {8, -4}, {50, -20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetWindowPos(top_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(child_, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    quorla_test::DrainMessages();
    HWND dragged = c.child ? child_ : top_;
    const auto [x0, y0] = Place(dragged);
    // Over the child, or over the pop-up beside it.
    const QPoint press = c.child ? QPoint(100 + 20 + 40, 100 + 30 + 20) : QPoint(100 + 200, 100 + 150);
    log_.Clear();
    Drag(press, c.early, c.travel);
    EXPECT_EQ(Place(dragged), std::make_pair(LONG(x0 + c.travel.x()), LONG(y0 + c.travel.y())));
    auto commands = log_.Of(dragged, WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u) << "the posted press went to the window it was posted to";
    EXPECT_EQ(commands[0].wParam, WPARAM{SC_MOVE | HTCAPTION});
    // Never back by the travel that came before: each step lies on the way.
    for (const quorla_test::Seen& move : log_.Of(dragged, WM_MOVE)) {
      const int x = GET_X_LPARAM(move.lParam), y = GET_Y_LPARAM(move.lParam);
      EXPECT_TRUE((x - x0) * c.travel.x() >= 0 && (y - y0) * c.travel.y() >= 0) << x << "," << y;
    }
    if (c.child) {
      EXPECT_EQ(Place(top_), std::make_pair(LONG{100}, LONG{100}));
    }
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(PostedCaptionDrag, AQuickClickMovesNothing) {
  for (bool child : {false, true}) {
    SCOPED_TRACE(child ? "child" : "pop-up");
    HWND clicked = child ? child_ : top_;
    const auto before = Place(clicked);
    const QPoint at = child ? QPoint(160, 150) : QPoint(300, 250);
    log_.Clear();
    Send(top_, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(top_, QEvent::MouseButtonRelease, at, Qt::NoButton);
    quorla_test::DrainMessages();
    EXPECT_EQ(log_.Of(clicked, WM_NCLBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(log_.Of(clicked, WM_MOVE).empty());
    EXPECT_EQ(Place(clicked), before);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(PostedCaptionDrag, AChildStaysInsideItsParent) {
  // The parent's client area is 300 × 200; the child 100 × 50 starts at (20, 30).
  struct Case {
    QPoint travel;
    std::pair<LONG, LONG> expected;
  } cases[] = {
      {{400, 400}, {200, 150}},   // against the right and bottom edges
      {{-100, -100}, {0, 0}},     // against the left and top edges
      {{30, -45}, {50, 0}},       // along the top edge
      {{180, 120}, {200, 150}},   // exactly into the corner
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.travel.x());
    SetWindowPos(child_, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    quorla_test::DrainMessages();
    Drag(QPoint(160, 150), QPoint(), c.travel);
    EXPECT_EQ(Place(child_), c.expected);
  }
}

// A page hosted in a child window, and a bar above it shaped by a region
// that keeps only its left half.
class ShapedChildOverPage : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 50, 50, 300, 200);
    page_ = quorla_test::MakeChild(top_, WS_CHILD | WS_VISIBLE, 0, 0, 300, 200);
    bar_ = quorla_test::MakeChild(top_, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 100, 200, 40);
    SetWindowPos(bar_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    widget_ = new QWidget;
    quorla::HostWidget(page_, widget_);
    SetWindowRgn(bar_, CreateRectRgn(0, 0, 100, 40), TRUE);
    quorla_test::DrainMessages();
    quorla::PlaceHostedWidget(page_);
  }
  void TearDown() override {
    DestroyWindow(top_);
    quorla_test::DrainMessages();
    delete widget_;
  }

  HWND top_ = nullptr, page_ = nullptr, bar_ = nullptr;
  QWidget* widget_ = nullptr;
};

TEST_F(ShapedChildOverPage, AClickInsideTheShapeReachesTheBarAndOutsideItThePage) {
  struct Case {
    const char* name;
    QPoint inBar;  // in the bar's client coordinates
    bool toBar;
  } cases[] = {
      {"inside the shape", {50, 20}, true},
      {"at the shape's last column", {99, 39}, true},
      {"cut away by the shape", {100, 20}, false},
      {"far in the cut part", {180, 5}, false},
      {"above the bar", {50, -10}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowLog log;
    const QPoint screen = QPoint(50 + 20, 50 + 100) + c.inBar;
    QWidget* topWidget = quorla::WidgetOfWindow(top_);
    ASSERT_NE(topWidget, nullptr);
    // The page's widget leaves the shape to the layer's drawing.
    QWidget* under = topWidget->childAt(topWidget->mapFromGlobal(screen));
    EXPECT_EQ(under == widget_ || (under && widget_->isAncestorOf(under)), !c.toBar);
    Send(top_, QEvent::MouseButtonPress, screen, Qt::LeftButton);
    Send(top_, QEvent::MouseButtonRelease, screen, Qt::NoButton);
    quorla_test::DrainMessages();
    EXPECT_EQ(log.Of(bar_, WM_LBUTTONDOWN).size(), c.toBar ? 1u : 0u);
    EXPECT_EQ(log.Of(page_, WM_LBUTTONDOWN).size(), c.toBar ? 0u : 1u);
    POINT point{screen.x(), screen.y()};
    EXPECT_EQ(WindowFromPoint(point), c.toBar ? bar_ : page_);
  }
}

TEST_F(ShapedChildOverPage, TheShapeClipsTheBarsDrawing) {
  constexpr COLORREF kGreen = RGB(0, 200, 0), kRed = RGB(200, 0, 0);
  quorla_test::FillWindow(top_, kGreen);
  quorla_test::FillWindow(bar_, kRed);
  struct Case {
    int x, y;  // in the bar's client coordinates
    COLORREF expected;
  } cases[] = {{10, 10, kRed}, {99, 39, kRed}, {100, 10, kGreen}, {150, 30, kGreen}};
  for (const Case& c : cases)
    EXPECT_EQ(quorla_test::PixelOf(top_, 20 + c.x, 100 + c.y), c.expected) << c.x << "," << c.y;
}

}  // namespace
