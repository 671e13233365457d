#include "url_transfer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "layer_stream.h"
#include "win/messages.h"

namespace quorla {

namespace {

std::atomic<DWORD> g_stallLimit{0};
std::atomic<ULONGLONG> g_bodyLimit{0};
std::mutex g_certificatesLock;
std::string g_trustedCertificates;

}  // namespace

DWORD CurrentStallLimit() {
  DWORD value = g_stallLimit.load();
  return value ? value : 60000;
}

ULONGLONG CurrentBodyLimit() {
  ULONGLONG value = g_bodyLimit.load();
  return value ? value : 256ull << 20;
}

std::string CurrentTrustedCertificates() {
  std::lock_guard<std::mutex> guard(g_certificatesLock);
  return g_trustedCertificates;
}

void SetUrlTrustedCertificates(const char* pemFile) {
  std::lock_guard<std::mutex> guard(g_certificatesLock);
  g_trustedCertificates = pemFile ? pemFile : "";
}

void SetUrlTransferLimits(DWORD stallMilliseconds, ULONGLONG maxBodyBytes) {
  g_stallLimit = stallMilliseconds;
  g_bodyLimit = maxBodyBytes;
}

void UrlTransfer::SetResponse(long status, std::string headers) {
  std::lock_guard<std::mutex> guard(lock_);
  if (responseKnown_) return;
  responseKnown_ = true;
  status_ = status;
  responseHeaders_ = std::move(headers);
  changed_.notify_all();
}

void UrlTransfer::Append(const char* data, size_t size) {
  std::lock_guard<std::mutex> guard(lock_);
  if (finished_) return;
  chunks_.emplace_back(data, size);
  unread_ += size;
  received_ += size;
  changed_.notify_all();
}

void UrlTransfer::Finish(HRESULT result) {
  std::lock_guard<std::mutex> guard(lock_);
  if (finished_) return;
  finished_ = true;
  result_ = result;
  if (FAILED(result)) {
    // Nobody will read the rest of a failed transfer's data.
    chunks_.clear();
    frontOffset_ = 0;
    unread_ = 0;
  }
  changed_.notify_all();
}

void UrlTransfer::Notify() {
  if (!notifyWindow) return;  // its reader waits on the transfer
  if (!notifyPending.exchange(true)) {
    if (!PostMessageW(notifyWindow, kTransferNewsMessage, 0, static_cast<LPARAM>(id))) notifyPending = false;
  }
}

TransferSnapshot UrlTransfer::Snapshot() {
  std::lock_guard<std::mutex> guard(lock_);
  TransferSnapshot snapshot;
  snapshot.responseKnown = responseKnown_;
  snapshot.status = status_;
  snapshot.responseHeaders = responseHeaders_;
  snapshot.received = received_;
  snapshot.unread = unread_;
  snapshot.finished = finished_;
  snapshot.result = result_;
  return snapshot;
}

bool UrlTransfer::Finished() {
  std::lock_guard<std::mutex> guard(lock_);
  return finished_;
}

void UrlTransfer::WaitForResponse() {
  std::unique_lock<std::mutex> guard(lock_);
  changed_.wait(guard, [this] { return responseKnown_ || finished_; });
}

void UrlTransfer::WaitForData() {
  std::unique_lock<std::mutex> guard(lock_);
  changed_.wait(guard, [this] { return unread_ > 0 || finished_; });
}

HRESULT UrlTransfer::Read(void* buffer, ULONG count, ULONG* read) {
  if (read) *read = 0;
  if (!buffer || count == 0) return E_INVALIDARG;  // a zero-byte S_OK would read as "more to come"
  std::lock_guard<std::mutex> guard(lock_);
  if (unread_ == 0) {
    if (!finished_) return E_PENDING;
    return SUCCEEDED(result_) ? S_FALSE : result_;
  }
  ULONG copied = 0;
  auto* out = static_cast<char*>(buffer);
  while (copied < count && !chunks_.empty()) {
    std::string& front = chunks_.front();
    size_t n = std::min<size_t>(count - copied, front.size() - frontOffset_);
    std::memcpy(out + copied, front.data() + frontOffset_, n);
    copied += static_cast<ULONG>(n);
    frontOffset_ += n;
    if (frontOffset_ == front.size()) {
      chunks_.pop_front();
      frontOffset_ = 0;
    }
  }
  unread_ -= copied;
  if (read) *read = copied;
  return S_OK;
}

namespace {

// The transfer's data, read as it arrives.
class TransferStream final : public LayerStream {
 public:
  explicit TransferStream(std::shared_ptr<UrlTransfer> transfer) : transfer_(std::move(transfer)) {}

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override {
    return transfer_->Read(buffer, count, read);
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
    if (written) *written = 0;
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 protected:
  ULONGLONG StreamSize() override { return transfer_->Snapshot().received; }

 private:
  std::shared_ptr<UrlTransfer> transfer_;
};

// The handle on a running transfer that its callback receives.
class Binding final : public LayerObject<IBinding> {
 public:
  explicit Binding(std::shared_ptr<UrlTransfer> transfer) : transfer_(std::move(transfer)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IBinding});
  }
  HRESULT STDMETHODCALLTYPE Abort() override {
    if (transfer_->Finished() || transfer_->abortRequested.exchange(true)) return INET_E_RESULT_DISPATCHED;
    if (transfer_->waker) transfer_->waker->Wake();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Suspend() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPriority(LONG) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override {
    if (!priority) return E_INVALIDARG;
    *priority = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBindResult(CLSID*, DWORD*, LPWSTR*, DWORD*) override { return E_NOTIMPL; }

 private:
  std::shared_ptr<UrlTransfer> transfer_;
};

}  // namespace

IStream* NewTransferStream(std::shared_ptr<UrlTransfer> transfer) {
  return new (std::nothrow) TransferStream(std::move(transfer));
}

IBinding* NewBinding(std::shared_ptr<UrlTransfer> transfer) { return new (std::nothrow) Binding(std::move(transfer)); }

}  // namespace quorla
