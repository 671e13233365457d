#include "wait_core.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "win/last_error.h"
#include "win/waits.h"

namespace quorla {

std::mutex& WaitLock() {
  static auto* lock = new std::mutex;  // outlives static destructors of other files
  return *lock;
}

void WaitSource::AddWaiterLocked(Waiter* waiter) { waiters_.push_back(waiter); }

void WaitSource::RemoveWaiterLocked(Waiter* waiter) {
  auto it = std::find(waiters_.begin(), waiters_.end(), waiter);
  if (it != waiters_.end()) waiters_.erase(it);
}

void WaitSource::WakeWaitersLocked() {
  for (Waiter* waiter : waiters_) {
    waiter->woken = true;
    waiter->wake.notify_one();
  }
}

bool LookUpWaitables(DWORD count, const HANDLE* handles, std::vector<std::shared_ptr<Waitable>>& objects) {
  objects.clear();
  objects.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    auto object = LookUpHandleAs<Waitable>(handles[i]);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    objects.push_back(std::move(object));
  }
  return true;
}

namespace {

// Index of the object that satisfies the wait now, if any; takes it.
std::optional<DWORD> TrySatisfyLocked(const std::vector<std::shared_ptr<Waitable>>& objects, bool all) {
  if (all) {
    for (const auto& object : objects)
      if (!object->IsSignaledLocked()) return std::nullopt;
    for (const auto& object : objects) object->OnWaitSatisfiedLocked();
    return objects.empty() ? std::nullopt : std::optional<DWORD>(0);
  }
  for (size_t i = 0; i < objects.size(); ++i) {
    if (objects[i]->IsSignaledLocked()) {
      objects[i]->OnWaitSatisfiedLocked();
      return static_cast<DWORD>(i);
    }
  }
  return std::nullopt;
}

}  // namespace

DWORD WaitOnObjects(const std::vector<std::shared_ptr<Waitable>>& objects, bool all, DWORD milliseconds,
                    const ExtraCondition* extra) {
  using Clock = std::chrono::steady_clock;
  const bool forever = milliseconds == INFINITE;
  const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : milliseconds);

  Waiter waiter;
  std::unique_lock<std::mutex> lock(WaitLock());
  for (const auto& object : objects) object->AddWaiterLocked(&waiter);
  if (extra && extra->source) extra->source->AddWaiterLocked(&waiter);

  DWORD result;
  for (;;) {
    if (auto index = TrySatisfyLocked(objects, all)) {
      result = *index;
      break;
    }
    if (extra && extra->readyLocked && extra->readyLocked()) {
      result = kWaitExtra;
      break;
    }
    if (!forever && Clock::now() >= deadline) {
      result = kWaitTimedOut;
      break;
    }
    waiter.woken = false;
    if (forever) {
      waiter.wake.wait(lock, [&] { return waiter.woken; });
    } else {
      waiter.wake.wait_until(lock, deadline, [&] { return waiter.woken; });
    }
  }

  for (const auto& object : objects) object->RemoveWaiterLocked(&waiter);
  if (extra && extra->source) extra->source->RemoveWaiterLocked(&waiter);
  return result;
}

}  // namespace quorla
