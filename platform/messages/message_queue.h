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

#include "wait_core.h"
#include "win/messages.h"

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

class ThreadQueue {
 public:
  explicit ThreadQueue(DWORD threadId) : threadId_(threadId) {}

  DWORD ThreadId() const { return threadId_; }

  // Any thread. False once the owning thread has ended.
  bool Post(const MSG& msg);
  bool Send(const std::shared_ptr<SentMessage>& sent);
  void PostQuit(int exitCode);

  // The owning thread only.
  // Takes (or, without remove, copies) the first posted message that passes
  // the filter; the quit request comes when no posted message passes.
  bool TakePosted(HWND filter, UINT min, UINT max, bool remove, MSG* out);
  std::shared_ptr<SentMessage> TakeSent();
  void DropMessagesFor(HWND hwnd);

  bool HasPosted();
  bool HasSent();

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
  std::deque<std::shared_ptr<SentMessage>> sent_;
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

}  // namespace quorla
