#include "capture.h"

#include "thread_ui_state.h"
#include "window_tree.h"
#include "win/last_error.h"
#include "win/threads.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

std::shared_ptr<WindowBackend> TopLevelBackend(HWND hwnd) {
  if (!hwnd) return nullptr;
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  auto top = window ? TopLevelLocked(window) : nullptr;
  return top ? top->ui.backend : nullptr;
}

// Moves the pointer grab from the old holder's top-level window to the new
// one's, so that the pointer's moves outside still reach the holder.
void MoveGrab(HWND from, HWND to) {
  auto before = TopLevelBackend(from);
  auto after = TopLevelBackend(to);
  if (before == after) return;
  if (before) before->GrabPointer(false);
  if (after) after->GrabPointer(true);
}

// Takes the capture away from its holder, which is told after the change.
void LoseCapture(HWND newHolder) {
  ThreadUiState& state = CurrentUiState();
  HWND previous = state.capture;
  state.capture = newHolder;
  MoveGrab(previous, newHolder);
  if (previous && previous != newHolder && IsWindow(previous))
    SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(newHolder));
}

}  // namespace

void CancelCaptureForModalLoop() {
  if (CurrentUiState().capture) LoseCapture(nullptr);
}

void ForgetCaptureOf(HWND hwnd) {
  if (hwnd && CurrentUiState().capture == hwnd) LoseCapture(nullptr);
}

}  // namespace quorla

HWND SetCapture(HWND hwnd) {
  quorla::ThreadUiState& state = quorla::CurrentUiState();
  HWND previous = state.capture;
  if (!hwnd) {
    ReleaseCapture();
    return previous;
  }
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record || record->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (previous == hwnd) return previous;
  quorla::LoseCapture(hwnd);
  return previous;
}

BOOL ReleaseCapture() {
  quorla::LoseCapture(nullptr);
  return TRUE;
}

HWND GetCapture() {
  HWND capture = quorla::CurrentUiState().capture;
  return capture && IsWindow(capture) ? capture : nullptr;
}
