#include "default_handling.h"

#include <algorithm>

#include "frame_defaults.h"
#include "hosted_widgets_qt.h"
#include "window_placement.h"
#include "window_publishing.h"
#include "window_tree.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

// The class background brush over the whole client area (the DC clips).
LRESULT EraseBackground(HWND hwnd, HDC dc) {
  HBRUSH brush = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (window && window->windowClass) brush = window->windowClass->info.hbrBackground;
  }
  if (!brush || !dc) return 0;
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, brush);
  return 1;
}

LRESULT SetCursorByDefault(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  HWND parent = nullptr;
  HCURSOR cursor = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return FALSE;
    parent = window->parent;
    if (window->windowClass) cursor = window->windowClass->info.hCursor;
  }
  // The parent decides first.
  if (parent && SendMessageW(parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  SetCursor(DefaultCursorFor(static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam))), cursor));
  return TRUE;
}

void WindowPosChanged(HWND hwnd, const WINDOWPOS* pos) {
  if (!pos) return;
  if (!(pos->flags & kSwpNoClientMove)) SendMessageW(hwnd, WM_MOVE, 0, MoveMessageParameter(hwnd));
  if (!(pos->flags & kSwpNoClientSize)) {
    WPARAM kind;
    LPARAM size;
    SizeMessageParameters(hwnd, &kind, &size);
    SendMessageW(hwnd, WM_SIZE, kind, size);
  }
}

LRESULT SetText(HWND hwnd, LPCWSTR text) {
  std::shared_ptr<WindowBackend> backend;
  std::u16string title = text ? text : u"";
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return FALSE;
    window->title = title;
    backend = window->ui.backend;
  }
  if (backend) backend->SetTitle(title);
  PublishWindowChange(hwnd);
  return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM maxCount, LPWSTR buffer) {
  if (!buffer || maxCount == 0) return 0;
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  if (!window) {
    buffer[0] = 0;
    return 0;
  }
  size_t count = std::min(window->title.size(), static_cast<size_t>(maxCount - 1));
  window->title.copy(buffer, count);
  buffer[count] = 0;
  return static_cast<LRESULT>(count);
}

LRESULT GetTextLength(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  return window ? static_cast<LRESULT>(window->title.size()) : 0;
}

}  // namespace

bool HandleByDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  // A window backed by a widget of its own hands its input to it.
  if (AnyHostedWindow() && HandleHostedInputByDefault(hwnd, message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_ERASEBKGND:
      *result = EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      return true;
    }
    case WM_PRINTCLIENT:
      return true;
    case WM_SETCURSOR:
      *result = SetCursorByDefault(hwnd, wParam, lParam);
      return true;
    case WM_WINDOWPOSCHANGED:
      if (AnyHostedWindow()) PlaceHostedWidget(hwnd);
      WindowPosChanged(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
      return true;
    case WM_SETTEXT:
      *result = SetText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
      return true;
    case WM_GETTEXT:
      *result = GetText(hwnd, wParam, reinterpret_cast<LPWSTR>(lParam));
      return true;
    case WM_GETTEXTLENGTH:
      *result = GetTextLength(hwnd);
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) {
        HWND focus = GetFocus();
        if (focus != hwnd && !IsChild(hwnd, focus)) SetFocus(hwnd);
      }
      return true;
    case WM_MOUSEWHEEL:
      // Unhandled wheel turns go up to the parent.
      if (HWND parent = GetParent(hwnd); parent && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
        *result = SendMessageW(parent, message, wParam, lParam);
      return true;
    default:
      return HandleFrameByDefault(hwnd, message, wParam, lParam, result);
  }
}

}  // namespace quorla
