#include "message_queue.h"

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

namespace {

bool PassesFilter(const MSG& msg, HWND filter, UINT min, UINT max) {
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) {
    if (msg.hwnd) return false;
  } else if (filter && msg.hwnd != filter) {
    return false;
  }
  if (min == 0 && max == 0) return true;
  return msg.message >= min && msg.message <= max;
}

}  // namespace

bool ThreadQueue::TakePosted(HWND filter, UINT min, UINT max, bool remove, MSG* out) {
  std::lock_guard<std::mutex> guard(lock_);
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (!PassesFilter(*it, filter, min, max)) continue;
    *out = *it;
    if (remove) posted_.erase(it);
    return true;
  }
  if (quit_ && ((min == 0 && max == 0) || (WM_QUIT >= min && WM_QUIT <= max))) {
    *out = MSG{};
    out->message = WM_QUIT;
    out->wParam = static_cast<WPARAM>(quitCode_);
    out->time = GetTickCount();
    if (remove) quit_ = false;
    return true;
  }
  return false;
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
}

bool ThreadQueue::HasPosted() {
  std::lock_guard<std::mutex> guard(lock_);
  return !posted_.empty() || quit_;
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
