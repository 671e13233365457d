#pragma once
// Kernel objects behind HANDLEs: a process-wide table from handle values to
// shared objects. Looking a handle up gives a strong reference, so an object
// stays alive while a call on another thread uses it even when its handle is
// closed meanwhile.
#include <memory>

#include "win/types.h"

namespace quorla {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Enters an object into the table and gives its new handle (never null and
// never INVALID_HANDLE_VALUE).
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);
// The object behind a handle, or null for an unknown or closed handle.
std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle);
// Takes the handle out of the table; false when it was not there.
bool RemoveHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> LookUpHandleAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(LookUpHandle(handle));
}

}  // namespace quorla
