#pragma once
// Reference counting for the layer's own COM objects. Counts are atomic, so
// references may be added and released on any thread even where an object
// is used on one thread only.
#include <atomic>

#include "win/unknown.h"

namespace quorla {

template <class Derived>
class LayerRefCount {
 protected:
  ULONG AddRefImpl() { return m_refs.fetch_add(1, std::memory_order_relaxed) + 1; }
  ULONG ReleaseImpl() {
    ULONG left = m_refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 private:
  std::atomic<ULONG> m_refs{1};  // the creator's reference
};

// Hands out itf with a new reference for the caller.
template <class Interface>
HRESULT HandOut(Interface* itf, void** out) {
  itf->AddRef();
  *out = itf;
  return S_OK;
}

}  // namespace quorla
