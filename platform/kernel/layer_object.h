#pragma once
// Reference counting and interface lookup for the layer's own COM-shaped
// objects (streams, bindings, monikers, bind contexts). The count is atomic,
// since such objects are handed between threads; an object starts with one
// reference, its creator's.
#include <atomic>
#include <initializer_list>

#include "win/unknown.h"

namespace quorla {

template <class Interface>
class LayerObject : public Interface {
 public:
  virtual ~LayerObject() = default;

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG count = --references_;
    if (count == 0) delete this;
    return count;
  }

 protected:
  // QueryInterface over IUnknown and the identifiers given, all of which the
  // object answers with its Interface pointer.
  HRESULT QueryFor(REFIID iid, void** out, std::initializer_list<const IID*> answered) {
    if (!out) return E_POINTER;
    bool known = IsEqualIID(iid, IID_IUnknown);
    for (const IID* own : answered) known = known || IsEqualIID(iid, *own);
    if (!known) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *out = static_cast<Interface*>(this);
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace quorla
