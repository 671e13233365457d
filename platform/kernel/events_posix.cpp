// Events and the WaitFor* entry points over the layer's wait core.
#include <new>
#include <unordered_set>

#include "wait_core.h"
#include "win/events.h"
#include "win/last_error.h"
#include "win/waits.h"

namespace {

class EventObject final : public quorla::Waitable {
 public:
  EventObject(bool manualReset, bool signaled) : manualReset_(manualReset), signaled_(signaled) {}

  bool IsSignaledLocked() const override { return signaled_; }
  void OnWaitSatisfiedLocked() override {
    if (!manualReset_) signaled_ = false;
  }
  void SetLocked(bool signaled) {
    signaled_ = signaled;
    if (signaled) WakeWaitersLocked();
  }

 private:
  const bool manualReset_;
  bool signaled_;
};

BOOL SetEventState(HANDLE handle, bool signaled) {
  auto event = quorla::LookUpHandleAs<EventObject>(handle);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard<std::mutex> guard(quorla::WaitLock());
  event->SetLocked(signaled);
  return TRUE;
}

}  // namespace

HANDLE CreateEventW(SECURITY_ATTRIBUTES*, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  if (name && *name) {
    SetLastError(ERROR_INVALID_PARAMETER);  // named events are not offered
    return nullptr;
  }
  auto event = std::shared_ptr<EventObject>(new (std::nothrow) EventObject(manualReset != FALSE, initialState != FALSE));
  if (!event) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return quorla::InsertHandle(event);
}

BOOL SetEvent(HANDLE event) { return SetEventState(event, true); }
BOOL ResetEvent(HANDLE event) { return SetEventState(event, false); }

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) { return WaitForMultipleObjects(1, &handle, FALSE, milliseconds); }

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  if (count == 0 || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<quorla::Waitable>> objects;
  if (!quorla::LookUpWaitables(count, handles, objects)) return WAIT_FAILED;
  if (waitAll) {
    std::unordered_set<const quorla::Waitable*> seen;
    for (const auto& object : objects) {
      if (!seen.insert(object.get()).second) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
      }
    }
  }
  DWORD result = quorla::WaitOnObjects(objects, waitAll != FALSE, milliseconds);
  if (result == quorla::kWaitTimedOut) {
    SetLastError(ERROR_TIMEOUT);
    return WAIT_TIMEOUT;
  }
  SetLastError(ERROR_SUCCESS);
  return WAIT_OBJECT_0 + result;
}
