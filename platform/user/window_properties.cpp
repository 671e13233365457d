// Enabling, parents and titles.
#include <algorithm>

#include "capture.h"
#include "thread_ui_state.h"
#include "window_tree.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  BOOL wasDisabled;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    wasDisabled = (window->style & WS_DISABLED) ? TRUE : FALSE;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) window->style &= ~WS_DISABLED;
    else window->style |= WS_DISABLED;
  }
  if (!enable) {
    // A disabled window keeps neither the keyboard nor the mouse.
    if (GetFocus() == hwnd) SetFocus(nullptr);
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return window->parent ? window->parent : window->owner;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  for (auto p = window ? quorla::ParentLocked(*window) : nullptr; p; p = quorla::ParentLocked(*p))
    if (p->handle == parent) return TRUE;
  return FALSE;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount) {
  if (!text || maxCount <= 0) return 0;
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    text[0] = 0;
    return 0;
  }
  if (record->threadId == GetCurrentThreadId())
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
  // Another thread's window: its stored title, without waiting for that
  // thread.
  std::u16string title;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    title = record->title;
  }
  size_t count = std::min(title.size(), static_cast<size_t>(maxCount - 1));
  title.copy(text, count);
  text[count] = 0;
  return static_cast<int>(count);
}

int GetWindowTextLengthW(HWND hwnd) {
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (record->threadId == GetCurrentThreadId()) return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  return static_cast<int>(record->title.size());
}
