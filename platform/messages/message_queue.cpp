#include "message_queue.h"

#include <algorithm>
#include <unordered_map>

#include "window_table.h"
#include "win/threads.h"
#include "win/time.h"

namespace quorla {

void SentMessage::Complete(LRESULT value) {
  result = value;
  done.store(true);
  if (sender) {
    std::lock_guard<std::mutex> guard(WaitLock());
    sender->Source().WakeWaitersLocked();
  }
}

bool ThreadQueue::Post(const MSG& msg) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closed_) return false;
    posted_.push_back(msg);
  }
  Wake();
  return true;
}

bool ThreadQueue::Send(const std::shared_ptr<SentMessage>& sent) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closed_) return false;
    sent_.push_back(sent);
  }
  Wake();
  return true;
}

void ThreadQueue::PostQuit(int exitCode) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    quit_ = true;
    quitCode_ = exitCode;
  }
  Wake();
}

bool ThreadQueue::PostInput(const MSG& msg, InputExtras extras) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closed_) return false;
    input_.push_back(InputMessage{msg, std::move(extras)});
  }
  Wake();
  return true;
}

bool ThreadQueue::PostTask(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closed_) return false;
    tasks_.push_back(std::move(task));
  }
  Nudge();
  return true;
}

void ThreadQueue::RunTasks() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

void ThreadQueue::Nudge() {
  nudged_.store(true);
  Wake();
}

bool PassesFilter(const MSG& msg, HWND filter, UINT min, UINT max) {
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) {
    if (msg.hwnd) return false;
  } else if (filter && msg.hwnd != filter) {
    return false;
  }
  if (min == 0 && max == 0) return true;
  return msg.message >= min && msg.message <= max;
}

bool ThreadQueue::TakePosted(HWND filter, UINT min, UINT max, bool remove, MSG* out, InputExtras* extras) {
  std::lock_guard<std::mutex> guard(lock_);
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (!PassesFilter(*it, filter, min, max)) continue;
    *out = *it;
    if (remove) posted_.erase(it);
    if (extras) *extras = InputExtras{};
    return true;
  }
  for (auto it = input_.begin(); it != input_.end(); ++it) {
    if (!PassesFilter(it->msg, filter, min, max)) continue;
    *out = it->msg;
    if (extras) *extras = it->extras;
    if (remove) input_.erase(it);
    return true;
  }
  if (quit_ && ((min == 0 && max == 0) || (WM_QUIT >= min && WM_QUIT <= max))) {
    *out = MSG{};
    out->message = WM_QUIT;
    out->wParam = static_cast<WPARAM>(quitCode_);
    out->time = GetTickCount();
    if (remove) quit_ = false;
    if (extras) *extras = InputExtras{};
    return true;
  }
  return false;
}

UINT_PTR ThreadQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC callback) {
  period = std::clamp<UINT>(period, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  ULONGLONG due = GetTickCount64() + period;
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (!hwnd) {
      // Thread timers get identifiers of their own; an existing one given
      // back is restarted.
      auto existing = std::find_if(timers_.begin(), timers_.end(),
                                   [&](const ThreadTimer& t) { return !t.hwnd && t.id == id && id != 0; });
      if (existing == timers_.end()) {
        do {
          id = nextThreadTimerId_++;
          if (nextThreadTimerId_ == 0x7FFF) nextThreadTimerId_ = 1;
        } while (std::any_of(timers_.begin(), timers_.end(), [&](const ThreadTimer& t) { return !t.hwnd && t.id == id; }));
      }
    }
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const ThreadTimer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers_.end()) it = timers_.insert(timers_.end(), ThreadTimer{});
    *it = ThreadTimer{hwnd, id, period, callback, due};
  }
  Wake();  // a waiting loop recomputes how long it may sleep
  return id;
}

bool ThreadQueue::KillTimer(HWND hwnd, UINT_PTR id) {
  std::lock_guard<std::mutex> guard(lock_);
  return std::erase_if(timers_, [&](const ThreadTimer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

bool ThreadQueue::HasTimerWithCallback(HWND hwnd, UINT_PTR id, TIMERPROC callback) {
  std::lock_guard<std::mutex> guard(lock_);
  return std::any_of(timers_.begin(), timers_.end(), [&](const ThreadTimer& t) {
    return t.hwnd == hwnd && t.id == id && t.callback == callback && callback;
  });
}

bool ThreadQueue::TakeTimer(HWND filter, UINT min, UINT max, bool remove, MSG* out) {
  ULONGLONG now = GetTickCount64();
  std::lock_guard<std::mutex> guard(lock_);
  ThreadTimer* best = nullptr;
  for (ThreadTimer& t : timers_) {
    if (t.due > now) continue;
    MSG probe{};
    probe.hwnd = t.hwnd;
    probe.message = WM_TIMER;
    if (!PassesFilter(probe, filter, min, max)) continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  *out = MSG{};
  out->hwnd = best->hwnd;
  out->message = WM_TIMER;
  out->wParam = best->id;
  out->lParam = reinterpret_cast<LPARAM>(best->callback);
  out->time = static_cast<DWORD>(now);
  if (remove) best->due = now + best->period;
  return true;
}

std::optional<ULONGLONG> ThreadQueue::NextTimerDue(HWND filter, UINT min, UINT max) {
  std::lock_guard<std::mutex> guard(lock_);
  std::optional<ULONGLONG> next;
  for (const ThreadTimer& t : timers_) {
    MSG probe{};
    probe.hwnd = t.hwnd;
    probe.message = WM_TIMER;
    if (!PassesFilter(probe, filter, min, max)) continue;
    if (!next || t.due < *next) next = t.due;
  }
  return next;
}

std::shared_ptr<SentMessage> ThreadQueue::TakeSent() {
  std::lock_guard<std::mutex> guard(lock_);
  if (sent_.empty()) return nullptr;
  auto sent = std::move(sent_.front());
  sent_.pop_front();
  return sent;
}

void ThreadQueue::DropMessagesFor(HWND hwnd) {
  std::lock_guard<std::mutex> guard(lock_);
  std::erase_if(posted_, [&](const MSG& msg) { return msg.hwnd == hwnd; });
  std::erase_if(input_, [&](const InputMessage& input) { return input.msg.hwnd == hwnd; });
  std::erase_if(timers_, [&](const ThreadTimer& t) { return t.hwnd == hwnd; });
}

bool ThreadQueue::HasPosted() {
  std::lock_guard<std::mutex> guard(lock_);
  return !posted_.empty() || !input_.empty() || quit_;
}

bool ThreadQueue::HasSent() {
  std::lock_guard<std::mutex> guard(lock_);
  return !sent_.empty();
}

void ThreadQueue::SetWakeHook(std::function<void()> hook) {
  auto shared = hook ? std::make_shared<std::function<void()>>(std::move(hook)) : nullptr;
  std::lock_guard<std::mutex> guard(lock_);
  wakeHook_ = std::move(shared);
}

void ThreadQueue::Close() {
  std::deque<std::shared_ptr<SentMessage>> pending;
  {
    std::lock_guard<std::mutex> guard(lock_);
    closed_ = true;
    pending.swap(sent_);
    posted_.clear();
    input_.clear();
    timers_.clear();
    tasks_.clear();
  }
  for (auto& sent : pending) sent->Complete(0);
}

void ThreadQueue::Wake() {
  std::shared_ptr<std::function<void()>> hook;
  {
    std::lock_guard<std::mutex> guard(WaitLock());
    source_.WakeWaitersLocked();
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    hook = wakeHook_;
  }
  if (hook) (*hook)();
}

namespace {

struct QueueRegistry {
  std::mutex lock;
  std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};

QueueRegistry& Registry() {
  static auto* registry = new QueueRegistry;  // outlives thread-exit clean-ups at process exit
  return *registry;
}

// Ties a queue to its thread's life: when the thread ends, the queue closes
// and the thread's windows go away.
class QueueHolder {
 public:
  ~QueueHolder() {
    if (!queue) return;
    {
      QueueRegistry& registry = Registry();
      std::lock_guard<std::mutex> guard(registry.lock);
      registry.queues.erase(queue->ThreadId());
    }
    queue->Close();
    ForgetWindowsOfThread(queue->ThreadId());
  }
  std::shared_ptr<ThreadQueue> queue;
};

thread_local QueueHolder t_queue;

}  // namespace

std::shared_ptr<ThreadQueue> CurrentThreadQueue() {
  if (!t_queue.queue) {
    auto queue = std::make_shared<ThreadQueue>(GetCurrentThreadId());
    QueueRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.queues[queue->ThreadId()] = queue;
    t_queue.queue = std::move(queue);
  }
  return t_queue.queue;
}

std::shared_ptr<ThreadQueue> QueueOfThread(DWORD threadId) {
  QueueRegistry& registry = Registry();
  std::lock_guard<std::mutex> guard(registry.lock);
  auto it = registry.queues.find(threadId);
  return it == registry.queues.end() ? nullptr : it->second;
}

bool DispatchIncomingSentMessages(ThreadQueue& queue) {
  bool any = false;
  while (auto sent = queue.TakeSent()) {
    any = true;
    LRESULT result = 0;
    try {
      result = CallProcedureOfWindow(sent->msg.hwnd, sent->msg.message, sent->msg.wParam, sent->msg.lParam);
    } catch (...) {
      sent->Complete(0);  // the sender must not wait forever
      throw;
    }
    sent->Complete(result);
  }
  return any;
}

}  // namespace quorla
