// SetTimer and KillTimer over the per-thread timer lists of the queues.
#include "message_queue.h"
#include "window_table.h"
#include "win/last_error.h"
#include "win/threads.h"
#include "win/timers.h"
#include "win/window_objects.h"

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback) {
  if (!hwnd) return quorla::CurrentThreadQueue()->SetTimer(nullptr, id, milliseconds, callback);
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record || record->threadId != GetCurrentThreadId()) {
    SetLastError(record ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  auto queue = record->queue.lock();
  if (!queue) return 0;
  queue->SetTimer(hwnd, id, milliseconds, callback);
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto queue = quorla::CurrentThreadQueue();
  if (hwnd) {
    auto record = quorla::FindWindowRecord(hwnd);
    if (!record) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    queue = record->queue.lock();
    if (!queue) return FALSE;
  }
  return queue->KillTimer(hwnd, id) ? TRUE : FALSE;
}
