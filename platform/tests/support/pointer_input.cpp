#include "pointer_input.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "window_access.h"
#include "win/messages.h"
#include "win/window_state.h"
#include "win/window_styles.h"
#include "win/window_objects.h"

namespace quorla_test {
namespace {

MessageFilter g_filter = nullptr;

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

void Deliver(HWND window, QEvent::Type type, POINT screen, Qt::MouseButton button, Qt::MouseButtons held) {
  QWidget* widget = quorla::WidgetOfWindow(TopLevelOf(window));
  if (!widget) return;
  const QPoint global(screen.x, screen.y);
  // The widget under the point, as the windowing system picks it: a child
  // widget behind a control (an edit's text field) takes it.
  if (QWidget* child = widget->childAt(widget->mapFromGlobal(global))) widget = child;
  const QPointF local = widget->mapFromGlobal(QPointF(global));
  QMouseEvent event(type, local, local, QPointF(global), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
  DispatchPending();
}

}  // namespace

void PointerMove(HWND window, POINT screen, bool leftHeld) {
  Deliver(window, QEvent::MouseMove, screen, Qt::NoButton, leftHeld ? Qt::LeftButton : Qt::NoButton);
}

void PointerPress(HWND window, POINT screen) {
  Deliver(window, QEvent::MouseButtonPress, screen, Qt::LeftButton, Qt::LeftButton);
}

void PointerRelease(HWND window, POINT screen) {
  Deliver(window, QEvent::MouseButtonRelease, screen, Qt::LeftButton, Qt::NoButton);
}

void PointerLeaves(HWND window) {
  QWidget* widget = quorla::WidgetOfWindow(TopLevelOf(window));
  if (!widget) return;
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(widget, &event);
  DispatchPending();
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

void SetMessageFilter(MessageFilter filter) { g_filter = filter; }

void DispatchPending() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (g_filter && g_filter(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace quorla_test
