#pragma once
// Which object serves which window, per thread. A window's messages all
// arrive on the thread that made it, so each thread keeps its own table and
// none needs a lock. The slot "being created" carries the object from its
// Create call to the first message its window receives (WM_NCCREATE, or
// for a dialog the first message its dialog procedure sees), where the
// object is bound to the window for good; the kind tells which procedure may
// take it, so a window of another class made meanwhile never does.
#include <unordered_map>

#include "win/types.h"

namespace ATL::detail {

struct ObjectBeingCreated {
  void* object = nullptr;
  const void* kind = nullptr;
};

struct WindowBindings {
  std::unordered_map<HWND, void*> objects;
  ObjectBeingCreated creating;
};

inline WindowBindings& ThreadBindings() {
  static thread_local WindowBindings bindings;
  return bindings;
}

// The object bound to the window, else the object being created when its
// kind matches (which is then bound), else null.
inline void* BindOrFind(HWND hWnd, const void* kind) {
  WindowBindings& bindings = ThreadBindings();
  auto found = bindings.objects.find(hWnd);
  if (found != bindings.objects.end()) return found->second;
  if (!bindings.creating.object || bindings.creating.kind != kind) return nullptr;
  void* object = bindings.creating.object;
  bindings.creating = {};
  bindings.objects.emplace(hWnd, object);
  return object;
}

inline void Unbind(HWND hWnd, const void* object) {
  WindowBindings& bindings = ThreadBindings();
  auto found = bindings.objects.find(hWnd);
  if (found != bindings.objects.end() && found->second == object) bindings.objects.erase(found);
  if (bindings.creating.object == object) bindings.creating = {};
}

// Offers the object to the next window that starts on this thread; the
// returned guard withdraws the offer when no window took it.
class CreationOffer {
 public:
  CreationOffer(void* object, const void* kind) : object_(object) { ThreadBindings().creating = {object, kind}; }
  ~CreationOffer() {
    WindowBindings& bindings = ThreadBindings();
    if (bindings.creating.object == object_) bindings.creating = {};
  }
  CreationOffer(const CreationOffer&) = delete;
  CreationOffer& operator=(const CreationOffer&) = delete;

 private:
  void* object_;
};

}  // namespace ATL::detail
