// The stream over a global memory block.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "layer_stream.h"
#include "win/com.h"
#include "win/last_error.h"
#include "win/stream.h"

namespace {

// The block shared by a stream and its clones.
class HGlobalStorage {
 public:
  HGlobalStorage(HGLOBAL memory, bool deleteOnRelease)
      : memory_(memory), size_(GlobalSize(memory)), deleteOnRelease_(deleteOnRelease) {}
  ~HGlobalStorage() {
    if (deleteOnRelease_) GlobalFree(memory_);
  }

  HGLOBAL Memory() {
    std::lock_guard<std::mutex> guard(lock_);
    return memory_;
  }
  ULONGLONG Size() {
    std::lock_guard<std::mutex> guard(lock_);
    return size_;
  }

  HRESULT Resize(ULONGLONG size) {
    std::lock_guard<std::mutex> guard(lock_);
    return ResizeLocked(size);
  }

  ULONG ReadAt(ULONGLONG position, void* buffer, ULONG count) {
    std::lock_guard<std::mutex> guard(lock_);
    if (position >= size_ || count == 0) return 0;
    ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(count, size_ - position));
    auto* bytes = static_cast<const char*>(GlobalLock(memory_));
    if (!bytes) return 0;
    std::memcpy(buffer, bytes + position, n);
    GlobalUnlock(memory_);
    return n;
  }

  HRESULT WriteAt(ULONGLONG position, const void* buffer, ULONG count) {
    std::lock_guard<std::mutex> guard(lock_);
    if (count == 0) return S_OK;
    ULONGLONG end = position + count;
    if (end > size_) {
      HRESULT hr = ResizeLocked(end);
      if (FAILED(hr)) return hr;
    }
    auto* bytes = static_cast<char*>(GlobalLock(memory_));
    if (!bytes) return STG_E_MEDIUMFULL;
    std::memcpy(bytes + position, buffer, count);
    GlobalUnlock(memory_);
    return S_OK;
  }

 private:
  HRESULT ResizeLocked(ULONGLONG size) {
    if (size > SIZE_MAX / 2) return STG_E_MEDIUMFULL;
    HGLOBAL grown = GlobalReAlloc(memory_, static_cast<SIZE_T>(size), GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) return STG_E_MEDIUMFULL;
    memory_ = grown;
    size_ = size;
    return S_OK;
  }

  std::mutex lock_;
  HGLOBAL memory_;
  ULONGLONG size_;
  const bool deleteOnRelease_;
};

class HGlobalStream final : public quorla::LayerStream {
 public:
  HGlobalStream(std::shared_ptr<HGlobalStorage> storage, ULONGLONG position)
      : storage_(std::move(storage)), position_(position) {}

  HGlobalStorage& Storage() { return *storage_; }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    ULONG n = storage_->ReadAt(position_, buffer, count);
    position_ += n;
    if (read) *read = n;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    HRESULT hr = storage_->WriteAt(position_, buffer, count);
    if (FAILED(hr)) return hr;
    position_ += count;
    if (written) *written = count;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    LONGLONG base;
    switch (origin) {
      case STREAM_SEEK_SET:
        base = 0;
        break;
      case STREAM_SEEK_CUR:
        base = static_cast<LONGLONG>(position_);
        break;
      case STREAM_SEEK_END:
        base = static_cast<LONGLONG>(storage_->Size());
        break;
      default:
        return STG_E_INVALIDFUNCTION;
    }
    LONGLONG target;
    if (__builtin_add_overflow(base, move.QuadPart, &target) || target < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<ULONGLONG>(target);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) override { return storage_->Resize(newSize.QuadPart); }

  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    if (read) read->QuadPart = 0;
    if (written) written->QuadPart = 0;
    if (!target) return STG_E_INVALIDPOINTER;
    ULONGLONG left = count.QuadPart;
    char chunk[16384];
    while (left > 0) {
      ULONG n = storage_->ReadAt(position_, chunk, static_cast<ULONG>(std::min<ULONGLONG>(left, sizeof chunk)));
      if (n == 0) break;
      position_ += n;
      left -= n;
      if (read) read->QuadPart += n;
      ULONG put = 0;
      HRESULT hr = target->Write(chunk, n, &put);
      if (written) written->QuadPart += put;
      if (FAILED(hr)) return hr;
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Clone(IStream** out) override {
    if (!out) return STG_E_INVALIDPOINTER;
    *out = nullptr;
    auto* clone = new (std::nothrow) HGlobalStream(storage_, position_);
    if (!clone) return E_OUTOFMEMORY;
    *out = clone;
    return S_OK;
  }

 protected:
  ULONGLONG StreamSize() override { return storage_->Size(); }

 private:
  std::shared_ptr<HGlobalStorage> storage_;
  ULONGLONG position_;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, IStream** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (!memory) {
    memory = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!memory) return E_OUTOFMEMORY;
  } else {
    SetLastError(ERROR_SUCCESS);
    if (GlobalSize(memory) == 0 && GetLastError() == ERROR_INVALID_HANDLE) return E_INVALIDARG;
  }
  auto storage = std::shared_ptr<HGlobalStorage>(new (std::nothrow) HGlobalStorage(memory, deleteOnRelease != FALSE));
  auto* stream = storage ? new (std::nothrow) HGlobalStream(storage, 0) : nullptr;
  if (!stream) return E_OUTOFMEMORY;
  *out = stream;
  return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  auto* ours = dynamic_cast<HGlobalStream*>(stream);
  if (!ours) return E_INVALIDARG;
  *out = ours->Storage().Memory();
  return S_OK;
}
