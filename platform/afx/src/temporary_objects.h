#pragma once
// Temporary wrapper objects for handles that no object owns (a window
// without a bound object, a DC or a drawing object handed to a handler).
// They belong to the calling thread and live until DeleteTemporaryObjects,
// which the application's loop calls when it is idle; they never free their
// handle.
#include <memory>
#include <unordered_map>
#include <vector>

namespace quorla::afx {

// Runs every thread-local clean-up registered by TemporaryFor on this thread.
void DeleteTemporaryObjects();
void RegisterTemporaryCleanUp(void (*cleanUp)());

template <class Object, class Handle>
std::unordered_map<Handle, std::unique_ptr<Object>>& TemporaryMap() {
  thread_local std::unordered_map<Handle, std::unique_ptr<Object>> objects;
  thread_local bool registered = false;
  if (!registered) {
    registered = true;
    RegisterTemporaryCleanUp([] {
      auto& map = TemporaryMap<Object, Handle>();
      // The wrappers let go of their handles before they die.
      for (auto& entry : map) entry.second->Detach();
      map.clear();
    });
  }
  return objects;
}

// The temporary object of this type for the handle, made when missing and
// given the handle with store(object, handle).
template <class Object, class Handle, class Store>
Object* TemporaryFor(Handle handle, Store store) {
  if (!handle) return nullptr;
  auto& slot = TemporaryMap<Object, Handle>()[handle];
  if (!slot) {
    slot = std::make_unique<Object>();
    store(*slot, handle);
  }
  return slot.get();
}

}  // namespace quorla::afx
