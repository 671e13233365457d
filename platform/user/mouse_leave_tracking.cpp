#include "mouse_leave_tracking.h"

#include "hit_testing.h"
#include "window_table.h"
#include "win/input.h"
#include "win/last_error.h"
#include "win/mouse_tracking.h"
#include "win/threads.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

struct Tracking {
  HWND window = nullptr;  // asked for WM_MOUSELEAVE
  bool pointerAway = false;  // the pointer left every window of the process
};

Tracking& ThreadTracking() {
  thread_local Tracking tracking;
  return tracking;
}

// Posts the leave for the tracked window, whose request is then spent.
void Leave(Tracking& tracking) {
  HWND window = tracking.window;
  tracking.window = nullptr;
  if (window && IsWindow(window)) PostMessageW(window, WM_MOUSELEAVE, 0, 0);
}

bool PointerIsOver(HWND hwnd) {
  if (ThreadTracking().pointerAway) return false;
  POINT pointer;
  GetCursorPos(&pointer);
  return WindowAtScreenPoint(QPoint(pointer.x, pointer.y), true) == hwnd;
}

}  // namespace

void NotePointerForLeaveTracking(QPoint screen) {
  Tracking& tracking = ThreadTracking();
  tracking.pointerAway = false;
  if (tracking.window && WindowAtScreenPoint(screen, true) != tracking.window) Leave(tracking);
}

void NotePointerLeftWindows() {
  if (GetCapture()) return;
  Tracking& tracking = ThreadTracking();
  tracking.pointerAway = true;
  Leave(tracking);
}

}  // namespace quorla

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT request) {
  if (!request || request->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  quorla::Tracking& tracking = quorla::ThreadTracking();
  if (request->dwFlags == TME_QUERY) {
    if (tracking.window && !IsWindow(tracking.window)) tracking.window = nullptr;
    request->dwFlags = tracking.window ? TME_LEAVE : 0;
    request->hwndTrack = tracking.window;
    return TRUE;
  }
  if ((request->dwFlags & ~TME_CANCEL) != TME_LEAVE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto record = quorla::FindWindowRecord(request->hwndTrack);
  if (!record || record->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (request->dwFlags & TME_CANCEL) {
    if (tracking.window == request->hwndTrack) tracking.window = nullptr;
    return TRUE;
  }
  tracking.window = request->hwndTrack;
  if (!quorla::PointerIsOver(request->hwndTrack)) quorla::Leave(tracking);
  return TRUE;
}
