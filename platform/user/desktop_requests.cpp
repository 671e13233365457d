#include "desktop_requests.h"

#include <QWidget>

#include "thread_ui_state.h"
#include "window_access.h"
#include "window_table.h"
#include "window_widget_qt.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {

void ForwardDesktopRequest(HWND hwnd, WPARAM command) {
  CurrentUiState().deferred.push_back([hwnd, command] {
    if (!IsWindow(hwnd)) return;
    SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
    if (auto* widget = dynamic_cast<WindowWidget*>(WidgetOfWindow(hwnd))) widget->FollowLayerState();
  });
}

void NoteDesktopState(HWND hwnd) {
  CurrentUiState().deferred.push_back([hwnd] {
    auto* widget = dynamic_cast<WindowWidget*>(WidgetOfWindow(hwnd));
    if (!widget || !widget->isVisible()) return;
    const Qt::WindowStates state = widget->windowState();
    WPARAM command = StateRequestFor(hwnd, (state & Qt::WindowMinimized) != 0, (state & Qt::WindowMaximized) != 0);
    if (!command) return;
    SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
    if ((widget = dynamic_cast<WindowWidget*>(WidgetOfWindow(hwnd)))) widget->FollowLayerState();
  });
}

WPARAM StateRequestFor(HWND hwnd, bool desktopMinimized, bool desktopMaximized) {
  DWORD style;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return 0;
    style = window->style;
  }
  const bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
  if (desktopMinimized) return minimized ? 0 : SC_MINIMIZE;
  // Out of the minimised state it is a restore, whatever the desktop
  // thinks the window comes back as: the layer knows whether it was
  // maximised before.
  if (minimized) return SC_RESTORE;
  if (desktopMaximized) return maximized ? 0 : SC_MAXIMIZE;
  return maximized ? SC_RESTORE : 0;
}

int ShowCommandForState(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  if (!window) return SW_SHOWNORMAL;
  if (window->style & WS_MINIMIZE) return SW_SHOWMINIMIZED;
  if (window->style & WS_MAXIMIZE) return SW_SHOWMAXIMIZED;
  return SW_SHOWNORMAL;
}

}  // namespace quorla
