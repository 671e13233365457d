#pragma once
// The message queue of one thread. Any thread posts to it and sends through
// it; only the owning thread takes messages out. Posting wakes the owner
// through the wait core (a thread sleeping in GetMessageW or
// MsgWaitForMultipleObjects) and through an optional wake hook, which a
// thread driven by another event loop (Qt on the user-interface thread) sets
// so that its loop comes round and drains the queue: posting code is the same
// for both kinds of thread.
//
// Lock order: WaitLock before the queue's own lock; the queue never takes
// WaitLock while holding its lock.
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "wait_core.h"
#include "win/messages.h"
#include "win/timers.h"

class QEvent;

namespace quorla {

class ThreadQueue;

// A message sent from another thread, with the place for its reply.
struct SentMessage {
  MSG msg{};
  std::shared_ptr<ThreadQueue> sender;
  LRESULT result = 0;
  std::atomic<bool> done{false};

  // Stores the reply and wakes the sender.
  void Complete(LRESULT value);
};

// What the layer keeps with an input message beside the MSG itself.
struct InputExtras {
  // The characters a key press typed, for TranslateMessage.
  std::u16string text;
  // A mouse message that the window under the pointer gets WM_SETCURSOR for
  // before the message is returned (wParam the window, the hit code in
  // lParam's low word).
  bool setCursor = false;
  HWND cursorWindow = nullptr;
  int hitCode = 1;  // HTCLIENT
  // A mouse message's MK_* keys (a non-client message's wParam is its hit
  // code).
  WPARAM keys = 0;
  // The toolkit's own event, for a window whose widget replays it.
  std::shared_ptr<QEvent> original;
};

struct InputMessage {
  MSG msg{};
  InputExtras extras;
};

// A timer of the thread; due is a GetTickCount64 time.
struct ThreadTimer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT period = 0;
  TIMERPROC callback = nullptr;
  ULONGLONG due = 0;
};

class ThreadQueue {
 public:
  explicit ThreadQueue(DWORD threadId) : threadId_(threadId) {}

  DWORD ThreadId() const { return threadId_; }

  // Any thread. False once the owning thread has ended.
  bool Post(const MSG& msg);
  bool Send(const std::shared_ptr<SentMessage>& sent);
  void PostQuit(int exitCode);
  // Input from the windowing backend, behind the posted messages.
  bool PostInput(const MSG& msg, InputExtras extras);
  // Work for the owning thread, run by its loop at the next turn (a window of
  // that thread changed on another thread and its widget must follow).
  bool PostTask(std::function<void()> task);
  // The owning thread only: runs the tasks posted so far.
  void RunTasks();
  // Wakes the owner so that its loop looks again at what it makes itself
  // (WM_PAINT after another thread invalidated one of its windows).
  void Nudge();
  // Whether Nudge was called since the last call.
  bool TakeNudge() { return nudged_.exchange(false); }
  bool Nudged() const { return nudged_.load(); }

  // The owning thread only.
  // Takes (or, without remove, copies) the first posted message that passes
  // the filter, else the first such input message, else the quit request.
  // For an input message, extras (may be null) gets what came with it.
  bool TakePosted(HWND filter, UINT min, UINT max, bool remove, MSG* out, InputExtras* extras = nullptr);
  std::shared_ptr<SentMessage> TakeSent();
  void DropMessagesFor(HWND hwnd);

  bool HasPosted();
  bool HasSent();

  // Timers. SetTimer replaces a timer with the same window and identifier;
  // null window and id 0 make a new thread timer. Returns the identifier.
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC callback);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  bool HasTimerWithCallback(HWND hwnd, UINT_PTR id, TIMERPROC callback);
  // WM_TIMER for the timer that is due longest, if any passes the filter;
  // with remove, the timer's next tick is one period from now.
  bool TakeTimer(HWND filter, UINT min, UINT max, bool remove, MSG* out);
  // The earliest due time of the timers that pass the filter, if any.
  std::optional<ULONGLONG> NextTimerDue(HWND filter, UINT min, UINT max);

  WaitSource& Source() { return source_; }

  // Replaces the hook run after every post and send; empty for none. The hook
  // runs on the posting thread and must not block.
  void SetWakeHook(std::function<void()> hook);

  // The owning thread is ending: refuses new messages and answers every
  // pending sent message with 0.
  void Close();

 private:
  void Wake();

  const DWORD threadId_;
  std::mutex lock_;
  std::deque<MSG> posted_;
  std::deque<InputMessage> input_;
  std::deque<std::function<void()>> tasks_;
  std::deque<std::shared_ptr<SentMessage>> sent_;
  std::vector<ThreadTimer> timers_;
  UINT_PTR nextThreadTimerId_ = 1;
  std::atomic<bool> nudged_{false};
  bool quit_ = false;
  int quitCode_ = 0;
  bool closed_ = false;
  std::shared_ptr<std::function<void()>> wakeHook_;
  WaitSource source_;  // under WaitLock
};

// The calling thread's queue, made and registered on first use.
std::shared_ptr<ThreadQueue> CurrentThreadQueue();
// The queue of a thread, or null when it has none (or has ended).
std::shared_ptr<ThreadQueue> QueueOfThread(DWORD threadId);

// Handles every message sent to the calling thread from other threads.
// Returns whether there was one.
bool DispatchIncomingSentMessages(ThreadQueue& queue);

// Whether a message passes a GetMessageW/PeekMessageW filter.
bool PassesFilter(const MSG& msg, HWND filter, UINT min, UINT max);

}  // namespace quorla
