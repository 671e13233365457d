#pragma once
// The parts every stream of the layer shares: identity, reference counting,
// the operations they do not support, and Stat from the stream's size.
#include <cstring>

#include "layer_object.h"
#include "win/stream.h"

namespace quorla {

class LayerStream : public LayerObject<IStream> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_ISequentialStream, &IID_IStream});
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = StreamSize();
    return S_OK;
  }

 protected:
  virtual ULONGLONG StreamSize() = 0;
};

}  // namespace quorla
