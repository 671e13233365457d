// Activation, the foreground and keyboard focus. Active and focus windows
// are per thread; the foreground is the active window last set by any
// thread of the process.
#include "activation.h"

#include <atomic>

#include "hosted_widgets_qt.h"
#include "owned_windows.h"
#include "thread_ui_state.h"
#include "window_tree.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

std::atomic<HWND> g_foreground{nullptr};

WindowPtr TopLevelOf(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  return window ? TopLevelLocked(window) : nullptr;
}

bool IsWithin(HWND hwnd, HWND ancestor) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  for (auto window = FindWindowRecordLocked(hwnd); window; window = ParentLocked(*window))
    if (window->handle == ancestor) return true;
  return false;
}

std::shared_ptr<WindowBackend> BackendOf(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  return window ? window->ui.backend : nullptr;
}

}  // namespace

void ActivateWindow(HWND hwnd) {
  ThreadUiState& state = CurrentUiState();
  HWND previous = state.active;
  g_foreground.store(hwnd);
  if (auto backend = BackendOf(hwnd)) backend->Activate();  // comes to the front
  RaiseOwnedWindows(hwnd);
  if (previous == hwnd) return;
  state.active = hwnd;
  if (previous && IsWindow(previous)) SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
  if (state.active == hwnd && IsWindow(hwnd))
    SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(previous));
}

void ForgetActivationOf(HWND hwnd) {
  ThreadUiState& state = CurrentUiState();
  if (state.focus && IsWithin(state.focus, hwnd)) SetFocus(nullptr);
  if (state.active == hwnd) {
    state.active = nullptr;
    HWND expected = hwnd;
    g_foreground.compare_exchange_strong(expected, nullptr);
    if (IsWindow(hwnd)) SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  }
}

}  // namespace quorla

HWND GetActiveWindow() {
  HWND active = quorla::CurrentUiState().active;
  return active && IsWindowVisible(active) ? active : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
  HWND previous = GetActiveWindow();
  auto top = quorla::TopLevelOf(hwnd);
  if (!top || top->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (IsWindowVisible(top->handle)) quorla::ActivateWindow(top->handle);
  return previous;
}

HWND GetForegroundWindow() {
  HWND foreground = quorla::g_foreground.load();
  return foreground && IsWindowVisible(foreground) ? foreground : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
  auto top = quorla::TopLevelOf(hwnd);
  // A hidden window stays hidden and changes nothing.
  if (!top || !IsWindowVisible(top->handle)) return FALSE;
  if (top->threadId == GetCurrentThreadId()) quorla::ActivateWindow(top->handle);
  else quorla::g_foreground.store(top->handle);
  return TRUE;
}

BOOL LockSetForegroundWindow(UINT) { return TRUE; }

HWND SetFocus(HWND hwnd) {
  quorla::ThreadUiState& state = quorla::CurrentUiState();
  HWND previous = state.focus;
  if (hwnd) {
    auto record = quorla::FindWindowRecord(hwnd);
    if (!record || record->threadId != GetCurrentThreadId()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    if (previous == hwnd) return previous;
    auto top = quorla::TopLevelOf(hwnd);
    if (top && top->handle != state.active && IsWindowVisible(top->handle)) {
      quorla::ActivateWindow(top->handle);  // may set the focus itself
      previous = state.focus;
      if (previous == hwnd) return previous;
    }
  } else if (!previous) {
    return nullptr;
  }
  state.focus = hwnd;
  if (previous && IsWindow(previous)) SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && state.focus == hwnd && IsWindow(hwnd))
    SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  // A widget behind a window takes Qt's focus with it; wherever the
  // handlers above left the focus.
  quorla::FollowLayerFocus(GetFocus());
  return previous;
}

HWND GetFocus() {
  HWND focus = quorla::CurrentUiState().focus;
  return focus && IsWindow(focus) ? focus : nullptr;
}
