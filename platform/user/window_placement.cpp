// Where windows are and whether they show: SetWindowPos, MoveWindow,
// ShowWindow and the geometry queries.
#include "window_placement.h"

#include "activation.h"
#include "message_queue.h"
#include "minmax_info.h"
#include "owned_windows.h"
#include "remote_windows.h"
#include "update_regions.h"
#include "window_publishing.h"
#include "window_tree.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/system_metrics.h"
#include "win/threads.h"
#include "win/window_classes.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

RECT MakeRect(int x, int y, int cx, int cy) {
  return RECT{x, y, static_cast<LONG>(static_cast<long long>(x) + cx), static_cast<LONG>(static_cast<long long>(y) + cy)};
}

// The parts of a rectangle of the new size that the old size did not cover.
QRegion NewlyExposed(QSize before, QSize after) {
  return QRegion(QRect(QPoint(0, 0), after)) - QRegion(QRect(QPoint(0, 0), before));
}

// What a placement change asks of the backend, collected under the lock and
// carried out after it.
struct BackendWork {
  std::shared_ptr<WindowBackend> backend;
  bool make = false;
  bool show = false;
  bool hide = false;
  bool geometry = false;
  bool raise = false;
  bool topmost = false;
  bool activate = false;
  int showCommand = SW_SHOW;
  RECT rect{};
  std::optional<QRegion> shape;
  std::u16string title;
};

int ShowCommandOf(DWORD style) {
  if (style & WS_MINIMIZE) return SW_SHOWMINIMIZED;
  if (style & WS_MAXIMIZE) return SW_SHOWMAXIMIZED;
  return SW_SHOWNORMAL;
}

void CarryOut(HWND hwnd, BackendWork& work) {
  if (work.make) {
    auto made = MakeWindowBackend(hwnd);
    if (made) {
      std::lock_guard<std::mutex> guard(WindowTableLock());
      auto window = FindWindowRecordLocked(hwnd);
      if (!window) return;
      if (!window->ui.backend) window->ui.backend = made;
      work.backend = window->ui.backend;
      work.rect = window->ui.rect;
      work.shape = window->ui.shape;
      work.title = window->title;
      work.topmost = (window->exStyle & WS_EX_TOPMOST) != 0;
      work.geometry = true;
    }
  }
  if (!work.backend) return;
  if (work.make) work.backend->SetTitle(work.title);
  if (work.make) work.backend->SetShape(work.shape);
  if (work.geometry) work.backend->SetGeometry(work.rect);
  if (work.hide) work.backend->Hide();
  if (work.show) work.backend->Show(work.activate, work.showCommand);
  if (work.raise) work.backend->Raise(work.topmost);
}

// Brings the backend of a top-level window in line with its record; on the
// window's thread, after another thread placed, showed or hid the window.
void SyncBackend(HWND hwnd) {
  BackendWork work;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return;
    const bool visible = (window->style & WS_VISIBLE) != 0;
    work.backend = window->ui.backend;
    work.make = !work.backend && visible;
    work.show = visible;
    work.hide = !visible;
    work.showCommand = ShowCommandOf(window->style);
    work.geometry = true;
    work.rect = window->ui.rect;
  }
  CarryOut(hwnd, work);
}

}  // namespace

BOOL PlaceWindow(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags, bool stateChanged) {
  auto record = FindWindowRecord(hwnd);
  if (!record) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    QRect current = RectOf(*record);
    if (flags & SWP_NOMOVE) {
      pos.x = current.x();
      pos.y = current.y();
    }
    if (flags & SWP_NOSIZE) {
      pos.cx = current.width();
      pos.cy = current.height();
    }
  }
  if (!(flags & SWP_NOSENDCHANGING)) SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  pos.hwnd = hwnd;

  std::vector<DWORD> painters;
  BackendWork work;
  bool showing = false, hiding = false, raisedTopLevel = false;
  HWND parentToRepaint = nullptr;
  QRegion parentArea;
  const bool ownThread = record->threadId == GetCurrentThreadId();
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return FALSE;
    QRect before = RectOf(*window);
    if (pos.flags & SWP_NOMOVE) {
      pos.x = before.x();
      pos.y = before.y();
    }
    if (pos.flags & SWP_NOSIZE) {
      pos.cx = before.width();
      pos.cy = before.height();
    }
    pos.cx = std::max(0, pos.cx);
    pos.cy = std::max(0, pos.cy);
    window->ui.rect = MakeRect(pos.x, pos.y, pos.cx, pos.cy);
    QRect after = RectOf(*window);
    const bool moved = before.topLeft() != after.topLeft();
    const bool sized = before.size() != after.size();
    const bool wasVisible = (window->style & WS_VISIBLE) != 0;
    showing = (pos.flags & SWP_SHOWWINDOW) && !wasVisible;
    hiding = (pos.flags & SWP_HIDEWINDOW) && wasVisible;
    if (showing) window->style |= WS_VISIBLE;
    if (hiding) window->style &= ~WS_VISIBLE;

    bool raised = false;
    if (!(pos.flags & SWP_NOZORDER)) {
      if (pos.hwndInsertAfter == HWND_TOPMOST) window->exStyle |= WS_EX_TOPMOST;
      if (pos.hwndInsertAfter == HWND_NOTOPMOST) window->exStyle &= ~WS_EX_TOPMOST;
      if (pos.hwndInsertAfter == HWND_BOTTOM) {
        window->ui.zorder = 0;
      } else if (pos.hwndInsertAfter == HWND_TOP || pos.hwndInsertAfter == HWND_TOPMOST ||
                 pos.hwndInsertAfter == HWND_NOTOPMOST) {
        window->ui.zorder = NextZOrderLocked();
        raised = true;
        raisedTopLevel = IsTopLevel(*window);
      } else if (auto above = FindWindowRecordLocked(pos.hwndInsertAfter)) {
        window->ui.zorder = above->ui.zorder > 0 ? above->ui.zorder - 1 : 0;
      }
    }

    const bool visibleNow = (window->style & WS_VISIBLE) != 0;
    if (!(pos.flags & SWP_NOREDRAW) && IsOnScreenKind(*window)) {
      if (showing) {
        InvalidateLocked(window, QRect(QPoint(0, 0), after.size()), true, ChildScope::kAll, &painters);
      } else if (visibleNow && sized) {
        UINT classStyle = window->windowClass ? window->windowClass->info.style : 0;
        bool whole = (classStyle & (CS_HREDRAW | CS_VREDRAW)) != 0 || window->parent;
        InvalidateLocked(window, whole ? QRegion(QRect(QPoint(0, 0), after.size())) : NewlyExposed(before.size(), after.size()),
                         true, ChildScope::kByStyle, &painters);
      } else if (visibleNow && moved && window->parent) {
        // A child's pixels live in its top-level window's image: at its new
        // place it draws itself again.
        InvalidateLocked(window, QRect(QPoint(0, 0), after.size()), true, ChildScope::kAll, &painters);
      }
      if (window->parent && (hiding || (wasVisible && (moved || sized)))) {
        parentToRepaint = window->parent;
        parentArea = QRegion(before);
      }
    }
    if (!moved) pos.flags |= kSwpNoClientMove;
    if (!sized && !stateChanged) pos.flags |= kSwpNoClientSize;

    if (IsTopLevel(*window) && IsOnScreenKind(*window) && ownThread) {
      work.backend = window->ui.backend;
      work.make = !work.backend && visibleNow;
      work.show = showing || work.make || (stateChanged && visibleNow);
      work.showCommand = ShowCommandOf(window->style);
      // Showing, maximising and restoring activate, as ShowWindow's commands
      // do; a minimised window stays inactive (it is not on the screen).
      work.activate = (showing || stateChanged) && !(window->style & WS_MINIMIZE) &&
                      !(pos.flags & SWP_NOACTIVATE) && !(window->exStyle & WS_EX_NOACTIVATE);
      work.hide = hiding;
      work.geometry = moved || sized;
      work.rect = window->ui.rect;
      work.raise = raised && visibleNow;
      work.topmost = (window->exStyle & WS_EX_TOPMOST) != 0;
    }
  }
  WakePainters(painters);
  if (parentToRepaint) InvalidateParentArea(parentToRepaint, parentArea);
  CarryOut(hwnd, work);
  if (raisedTopLevel) RaiseOwnedWindows(hwnd);
  if (!ownThread && !record->parent && IsOnScreenKind(*record)) {
    // The widget lives on the window's own thread: it follows there.
    if (auto queue = record->queue.lock()) queue->PostTask([hwnd] { SyncBackend(hwnd); });
  }
  if (showing || hiding) PublishWindowChange(hwnd);
  if (hiding) ForgetActivationOf(hwnd);
  if (work.activate) ActivateWindow(hwnd);
  SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

void SizeMessageParameters(HWND hwnd, WPARAM* wParam, LPARAM* lParam) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  *wParam = SIZE_RESTORED;
  *lParam = 0;
  if (!window) return;
  if (window->style & WS_MINIMIZE) {
    *wParam = SIZE_MINIMIZED;
    return;
  }
  if (window->style & WS_MAXIMIZE) *wParam = SIZE_MAXIMIZED;
  QSize size = SizeOf(*window);
  *lParam = MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height()));
}

RECT WorkAreaForMaximise() {
  RECT area{0, 0, 1024, 768};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

LPARAM MoveMessageParameter(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  if (!window) return 0;
  QPoint origin = RectOf(*window).topLeft();
  return MAKELPARAM(static_cast<WORD>(origin.x()), static_cast<WORD>(origin.y()));
}

}  // namespace quorla

using quorla::WindowPtr;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return quorla::PlaceWindow(hwnd, insertAfter, x, y, cx, cy, flags, false);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int command) {
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DWORD style;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    style = record->style;
  }
  const BOOL wasVisible = (style & WS_VISIBLE) ? TRUE : FALSE;
  const bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  auto announce = [&] {
    if (!wasVisible) SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    return IsWindow(hwnd) != FALSE;
  };
  // Changes the minimised or maximised state and the rectangle that goes
  // with it; returns the rectangle to place the window at.
  auto changeState = [&](DWORD set, const RECT* target) {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (!window) return RECT{};
    if (!(window->style & (WS_MINIMIZE | WS_MAXIMIZE))) window->ui.restoreRect = window->ui.rect;
    // A window minimised from maximised is restored maximised.
    if (!(set & WS_MINIMIZE)) window->ui.restoreToMaximized = false;
    else if (!(window->style & WS_MINIMIZE)) window->ui.restoreToMaximized = (window->style & WS_MAXIMIZE) != 0;
    RECT place = target ? *target : (set ? window->ui.rect : window->ui.restoreRect);
    window->style = (window->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | set;
    return place;
  };
  auto restoresToMaximized = [&] {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    return window && window->ui.restoreToMaximized;
  };
  auto placeAt = [&](const RECT& r, UINT flags) {
    quorla::PlaceWindow(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags, true);
  };

  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_NOACTIVATE | SWP_HIDEWINDOW);
      return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!announce()) return wasVisible;
      if (minimized) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      } else {
        placeAt(changeState(WS_MINIMIZE, nullptr), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      }
      return wasVisible;
    case SW_MAXIMIZE: {
      RECT area = quorla::MaximizedRect(hwnd);
      if (!announce()) return wasVisible;
      placeAt(changeState(WS_MAXIMIZE, &area), SWP_SHOWWINDOW);
      return wasVisible;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      if (minimized && restoresToMaximized()) {
        RECT area = quorla::MaximizedRect(hwnd);
        if (!announce()) return wasVisible;
        placeAt(changeState(WS_MAXIMIZE, &area), SWP_SHOWWINDOW);
        return wasVisible;
      }
      if (!announce()) return wasVisible;
      if (minimized || maximized) placeAt(changeState(0, nullptr), SWP_SHOWWINDOW);
      else SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
      return wasVisible;
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
      if (wasVisible) return wasVisible;
      if (!announce()) return wasVisible;
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW | (command == SW_SHOW ? 0 : SWP_NOACTIVATE));
      return wasVisible;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return wasVisible;
  }
}

BOOL IsWindowVisible(HWND hwnd) {
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    if (auto window = quorla::FindWindowRecordLocked(hwnd)) return quorla::IsVisibleLocked(*window) ? TRUE : FALSE;
  }
  // Another process's window, as that process published it.
  return quorla::IsRemoteWindowVisible(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  return window && (window->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  return window && (window->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  QPoint origin = quorla::ScreenOriginLocked(*window);
  QSize size = quorla::SizeOf(*window);
  *rect = RECT{origin.x(), origin.y(), origin.x() + size.width(), origin.y() + size.height()};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  QSize size = (window->style & WS_MINIMIZE) ? QSize(0, 0) : quorla::SizeOf(*window);
  *rect = RECT{0, 0, size.width(), size.height()};
  return TRUE;
}

namespace {

// The screen point of a window's client origin; (0, 0) for null (the
// screen). False for a window that is gone.
bool ClientOrigin(HWND hwnd, QPoint* origin) {
  *origin = QPoint(0, 0);
  if (!hwnd || hwnd == GetDesktopWindow()) return true;
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  *origin = quorla::ScreenOriginLocked(*window);
  return true;
}

}  // namespace

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  QPoint origin;
  if (!point || !hwnd || !ClientOrigin(hwnd, &origin)) return FALSE;
  point->x -= origin.x();
  point->y -= origin.y();
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  QPoint origin;
  if (!point || !hwnd || !ClientOrigin(hwnd, &origin)) return FALSE;
  point->x += origin.x();
  point->y += origin.y();
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  QPoint a, b;
  if (!ClientOrigin(from, &a) || !ClientOrigin(to, &b)) return 0;
  QPoint shift = a - b;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += shift.x();
    points[i].y += shift.y();
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<int>(MAKELONG(static_cast<WORD>(shift.x()), static_cast<WORD>(shift.y())));
}
