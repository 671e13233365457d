// BringWindowToTop: the top of the siblings; a top-level window of the
// calling thread is raised on screen and activated too, as the browser asks
// when a second browser hands a request over to it.
#include "activation.h"
#include "owned_windows.h"
#include "window_tree.h"
#include "win/last_error.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"

BOOL BringWindowToTop(HWND hwnd) {
  bool topLevelOfThisThread = false;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    topLevelOfThisThread = quorla::IsTopLevel(*window) && window->threadId == GetCurrentThreadId();
  }
  if (!SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) return FALSE;
  // Raising moved the windows it owns above it; a disabled one (the owner
  // of a modal dialog) leaves the activation to its dialog.
  if (topLevelOfThisThread && IsWindowVisible(hwnd)) quorla::ActivateWindow(quorla::ActivationTarget(hwnd));
  return TRUE;
}
