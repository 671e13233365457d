#pragma once
// The machinery under every wait of the layer: objects that can be signalled
// (events, threads, message queues) and threads that sleep until one of them
// is. All signal states change under one process-wide lock, which makes
// wait-all atomic and lets a wait on objects and a message queue together
// lose no wake-up. The lock is held only for state changes and checks, never
// while a thread sleeps (a condition variable releases it).
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "kernel_object.h"
#include "win/types.h"

namespace quorla {

std::mutex& WaitLock();

// One sleeping thread. Owned by the wait that made it.
struct Waiter {
  std::condition_variable wake;
  bool woken = false;
};

// Something waiters can sleep on. Everything here is called with WaitLock
// held.
class WaitSource {
 public:
  void AddWaiterLocked(Waiter* waiter);
  void RemoveWaiterLocked(Waiter* waiter);
  void WakeWaitersLocked();

 private:
  std::vector<Waiter*> waiters_;
};

// A kernel object behind a handle that WaitFor* accept.
class Waitable : public KernelObject, public WaitSource {
 public:
  virtual bool IsSignaledLocked() const = 0;
  // A wait that this object satisfied is returning (an automatic-reset event
  // resets itself here).
  virtual void OnWaitSatisfiedLocked() {}
};

constexpr DWORD kWaitTimedOut = 0xFFFFFFFEu;
constexpr DWORD kWaitExtra = 0xFFFFFFFDu;

// An extra condition checked together with the objects (a message queue):
// the source to sleep on and a test run under WaitLock.
struct ExtraCondition {
  WaitSource* source = nullptr;
  std::function<bool()> readyLocked;
};

// The waitable objects behind handles; false (ERROR_INVALID_HANDLE) when one
// of them is no such object.
bool LookUpWaitables(DWORD count, const HANDLE* handles, std::vector<std::shared_ptr<Waitable>>& objects);

// Sleeps until the objects satisfy the wait (any or all), the extra
// condition holds, or the time-out passes. Returns the index of the object
// (0 for wait-all), kWaitExtra or kWaitTimedOut.
DWORD WaitOnObjects(const std::vector<std::shared_ptr<Waitable>>& objects, bool all, DWORD milliseconds,
                    const ExtraCondition* extra = nullptr);

}  // namespace quorla
