// Posting, sending, peeking, getting and dispatching messages over the
// per-thread queues.
#include <algorithm>

#include "cross_process_posts.h"
#include "message_queue.h"
#include "ui_loop.h"
#include "window_handles.h"
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
  if (!record && quorla::IsOtherProcessWindow(hwnd)) return quorla::PostToOtherProcess(hwnd, message, wParam, lParam);
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

namespace quorla {
namespace {

// One look at every source in the loop's order. Sent messages are handled
// here; the rest is returned in msg.
bool TakeNextMessage(ThreadQueue& queue, HWND filter, UINT min, UINT max, bool remove, MSG* msg) {
  queue.TakeNudge();
  queue.RunTasks();
  DispatchIncomingSentMessages(queue);
  RunLoopTurnWork();
  InputExtras extras;
  if (queue.TakePosted(filter, min, max, remove, msg, &extras)) {
    if (remove) NoteInputMessageTaken(*msg, extras);
    return true;
  }
  if (TakePaintMessage(queue.ThreadId(), filter, min, max, msg)) return true;
  return queue.TakeTimer(filter, min, max, remove, msg);
}

// How long the loop may sleep before the next timer is due.
DWORD TimeUntilNextTimer(ThreadQueue& queue, HWND filter, UINT min, UINT max) {
  auto due = queue.NextTimerDue(filter, min, max);
  if (!due) return INFINITE;
  ULONGLONG now = GetTickCount64();
  if (*due <= now) return 0;
  return static_cast<DWORD>(std::min<ULONGLONG>(*due - now, INFINITE - 1));
}

}  // namespace
}  // namespace quorla

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT removeFlags) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto queue = quorla::CurrentThreadQueue();
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  if (quorla::TakeNextMessage(*queue, hwnd, min, max, remove, msg)) return TRUE;
  if (!quorla::ThreadRunsQt()) return FALSE;
  // Input reaches the queue only through Qt's event processing.
  quorla::PumpQt();
  return quorla::TakeNextMessage(*queue, hwnd, min, max, remove, msg) ? TRUE : FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT min, UINT max) {
  if (!msg || (hwnd && hwnd != kThreadMessagesOnly && !IsWindow(hwnd))) {
    SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return -1;
  }
  auto queue = quorla::CurrentThreadQueue();
  auto ready = [&] {
    MSG waiting;
    return queue->Nudged() || queue->HasSent() || queue->TakePosted(hwnd, min, max, false, &waiting);
  };
  quorla::ExtraCondition condition{&queue->Source(), ready};
  for (;;) {
    if (quorla::TakeNextMessage(*queue, hwnd, min, max, true, msg)) return msg->message == WM_QUIT ? FALSE : TRUE;
    DWORD timeout = quorla::TimeUntilNextTimer(*queue, hwnd, min, max);
    if (timeout == 0) continue;
    if (quorla::ThreadRunsQt()) quorla::WaitInQt(*queue, timeout, ready);
    else quorla::WaitOnObjects({}, false, timeout, &condition);
  }
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only a callback that a timer of this thread was set with is called: a
    // posted WM_TIMER cannot make the layer jump to any address.
    auto callback = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (quorla::CurrentThreadQueue()->HasTimerWithCallback(msg->hwnd, msg->wParam, callback)) {
      callback(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
      return 0;
    }
  }
  if (!msg->hwnd) return 0;
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
