// The window state on screen: the layer's minimised, maximised and normal
// states shown through Qt, and the desktop's own state changes reported.
#include <QEvent>

#include "desktop_requests.h"
#include "window_manager.h"
#include "window_widget_qt.h"
#include "win/window_state.h"

namespace quorla {
namespace {

bool ShowsMinimized(const QWidget& widget) { return (widget.windowState() & Qt::WindowMinimized) != 0; }
bool ShowsMaximized(const QWidget& widget) { return (widget.windowState() & Qt::WindowMaximized) != 0; }

}  // namespace

void WindowWidget::ShowInState(int showCommand) {
  applyingState_ = true;
  if (showCommand == SW_SHOWMINIMIZED) {
    // Without a window manager nobody would iconify it: off the screen.
    if (WindowManagerRunning()) showMinimized();
    else hide();
  } else {
    const Qt::WindowStates wanted = showCommand == SW_SHOWMAXIMIZED ? Qt::WindowMaximized : Qt::WindowNoState;
    if (windowState() != wanted) {
      setWindowState(wanted);
      // The layer's rectangle, not the platform's idea of a maximised window.
      if (requested_.isValid()) setGeometry(requested_);
    }
    show();
  }
  applyingState_ = false;
}

void WindowWidget::FollowLayerState() {
  if (!IsWindowVisible(hwnd_)) return;
  const int command = ShowCommandForState(hwnd_);
  const bool hiddenAsMinimized = command == SW_SHOWMINIMIZED && !isVisible();
  if (hiddenAsMinimized || StateRequestFor(hwnd_, ShowsMinimized(*this), ShowsMaximized(*this)) == 0) return;
  ShowInState(command);
}

void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && !applyingState_ && isVisible()) NoteDesktopState(hwnd_);
}

}  // namespace quorla
