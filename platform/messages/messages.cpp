// Posting, sending, peeking, getting and dispatching messages over the
// per-thread queues.
#include "message_queue.h"
#include "window_table.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/waits.h"
#include "win/window_objects.h"

namespace {

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = GetTickCount();
  return msg;
}

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

}  // namespace

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return quorla::CurrentThreadQueue()->Post(MakeMessage(nullptr, message, wParam, lParam));
  auto record = quorla::FindWindowRecord(hwnd);
  auto queue = record ? record->queue.lock() : nullptr;
  if (!queue) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!queue->Post(MakeMessage(hwnd, message, wParam, lParam))) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  auto queue = threadId == GetCurrentThreadId() ? quorla::CurrentThreadQueue() : quorla::QueueOfThread(threadId);
  if (!queue || !queue->Post(MakeMessage(nullptr, message, wParam, lParam))) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (record->threadId == GetCurrentThreadId()) return quorla::CallProcedureOfWindow(hwnd, message, wParam, lParam);

  auto target = record->queue.lock();
  if (!target) return 0;
  auto self = quorla::CurrentThreadQueue();
  auto sent = std::make_shared<quorla::SentMessage>();
  sent->msg = MakeMessage(hwnd, message, wParam, lParam);
  sent->sender = self;
  if (!target->Send(sent)) return 0;
  // Wait for the reply; handle what other threads send to us meanwhile.
  quorla::ExtraCondition condition{&self->Source(), [&] { return sent->done.load() || self->HasSent(); }};
  for (;;) {
    quorla::WaitOnObjects({}, false, INFINITE, &condition);
    if (sent->done.load()) return sent->result;
    quorla::DispatchIncomingSentMessages(*self);
  }
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT removeFlags) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto queue = quorla::CurrentThreadQueue();
  quorla::DispatchIncomingSentMessages(*queue);
  return queue->TakePosted(hwnd, min, max, (removeFlags & PM_REMOVE) != 0, msg) ? TRUE : FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT min, UINT max) {
  if (!msg || (hwnd && hwnd != kThreadMessagesOnly && !IsWindow(hwnd))) {
    SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return -1;
  }
  auto queue = quorla::CurrentThreadQueue();
  quorla::ExtraCondition condition{&queue->Source(), [&] {
                                     MSG waiting;
                                     return queue->HasSent() || queue->TakePosted(hwnd, min, max, false, &waiting);
                                   }};
  for (;;) {
    quorla::DispatchIncomingSentMessages(*queue);
    if (queue->TakePosted(hwnd, min, max, true, msg)) return msg->message == WM_QUIT ? FALSE : TRUE;
    quorla::WaitOnObjects({}, false, INFINITE, &condition);
  }
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg || !msg->hwnd) return 0;
  auto record = quorla::FindWindowRecord(msg->hwnd);
  if (!record || record->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return quorla::CallProcedureOfWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) { quorla::CurrentThreadQueue()->PostQuit(exitCode); }

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask) {
  if ((count > 0 && !handles) || (waitAll && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<quorla::Waitable>> objects;
  if (!quorla::LookUpWaitables(count, handles, objects)) return WAIT_FAILED;
  auto queue = quorla::CurrentThreadQueue();
  const bool wantsPosted = (wakeMask & (QS_ALLEVENTS | QS_ALLPOSTMESSAGE)) != 0;
  const bool wantsSent = (wakeMask & QS_SENDMESSAGE) != 0;
  quorla::ExtraCondition condition{&queue->Source(), [&] {
                                     // Sent messages end the wait either way: reported when asked
                                     // for, else handled below before waiting on.
                                     return (wantsPosted && queue->HasPosted()) || queue->HasSent();
                                   }};
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    DWORD remaining = milliseconds;
    if (milliseconds != INFINITE) {
      ULONGLONG spent = GetTickCount64() - start;
      remaining = spent >= milliseconds ? 0 : static_cast<DWORD>(milliseconds - spent);
    }
    DWORD result = quorla::WaitOnObjects(objects, false, remaining, &condition);
    if (result == quorla::kWaitTimedOut) {
      SetLastError(ERROR_TIMEOUT);
      return WAIT_TIMEOUT;
    }
    if (result != quorla::kWaitExtra) {
      SetLastError(ERROR_SUCCESS);
      return WAIT_OBJECT_0 + result;
    }
    if ((wantsPosted && queue->HasPosted()) || (wantsSent && queue->HasSent())) {
      SetLastError(ERROR_SUCCESS);
      return WAIT_OBJECT_0 + count;
    }
    quorla::DispatchIncomingSentMessages(*queue);
  }
}
