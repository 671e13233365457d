// URL transfers over libcurl's multi interface. Each binding thread gets a
// context on first use: a hidden message-only window that receives news of
// its transfers, and a network thread (curl_network.h) that runs all of that
// thread's transfers side by side. The network thread only moves bytes into
// the transfers and posts news; every callback into the system runs on the
// binding thread from the hidden window's procedure.
#include <map>
#include <mutex>

#include "curl_network.h"
#include "url_transfer.h"
#include "utf.h"
#include "window_table.h"
#include "win/com.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

constexpr LPCWSTR kWindowClass = u"QuorlaUrlTransferNews";

// Everything a binding thread needs; lives until the thread ends.
class BindingThread {
 public:
  BindingThread();
  ~BindingThread();

  bool Ok() const { return window_ && network_ && network_->Ok(); }
  HRESULT Start(std::shared_ptr<UrlTransfer> transfer, IBindStatusCallback* callback);
  void OnNews(DWORD id);

 private:
  struct Delivery {
    std::shared_ptr<UrlTransfer> transfer;
    IBindStatusCallback* callback = nullptr;
    IStream* stream = nullptr;
    bool responseDelivered = false;
    bool firstDataDelivered = false;
  };
  void DeliverResponse(Delivery& delivery, const TransferSnapshot& snapshot);
  void Forget(DWORD id);

  HWND window_ = nullptr;
  std::shared_ptr<CurlNetwork> network_;
  std::map<DWORD, Delivery> deliveries_;
  DWORD nextId_ = 1;
};

thread_local std::unique_ptr<BindingThread> t_binding;

LRESULT CALLBACK NewsWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTransferNewsMessage) {
    if (t_binding) t_binding->OnNews(static_cast<DWORD>(lParam));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

BindingThread::BindingThread() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = NewsWindowProc;
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
  });
  InitCurlOnce();
  window_ = CreateWindowExW(0, kWindowClass, u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  network_ = std::make_shared<CurlNetwork>();
}

BindingThread::~BindingThread() {
  // The thread is ending: no more callbacks. Stop the network first so that
  // nothing touches the transfers any more.
  if (network_) network_->Shutdown();
  for (auto& [id, delivery] : deliveries_) {
    delivery.transfer->Finish(E_ABORT);  // also those the network thread had not picked up yet
    if (delivery.stream) delivery.stream->Release();
    if (delivery.callback) delivery.callback->Release();
  }
  deliveries_.clear();
  if (window_) RemoveWindow(window_);
}

HRESULT BindingThread::Start(std::shared_ptr<UrlTransfer> transfer, IBindStatusCallback* callback) {
  transfer->id = nextId_++;
  transfer->notifyWindow = window_;
  transfer->waker = network_;
  IStream* stream = NewTransferStream(transfer);
  IBinding* binding = NewBinding(transfer);
  if (!stream || !binding) {
    if (stream) stream->Release();
    if (binding) binding->Release();
    return E_OUTOFMEMORY;
  }
  HRESULT hr = callback->OnStartBinding(0, binding);
  binding->Release();
  if (FAILED(hr)) {
    stream->Release();
    return hr;
  }
  callback->AddRef();
  Delivery delivery;
  delivery.transfer = transfer;
  delivery.callback = callback;
  delivery.stream = stream;
  deliveries_.emplace(transfer->id, std::move(delivery));
  network_->Add(std::move(transfer));
  return MK_S_ASYNCHRONOUS;
}

void BindingThread::DeliverResponse(Delivery& delivery, const TransferSnapshot& snapshot) {
  delivery.responseDelivered = true;
  if (snapshot.status == 401) {
    IAuthenticate* authenticate = nullptr;
    if (SUCCEEDED(delivery.callback->QueryInterface(IID_IAuthenticate, reinterpret_cast<void**>(&authenticate))) &&
        authenticate) {
      HWND owner = nullptr;
      LPWSTR user = nullptr, password = nullptr;
      authenticate->Authenticate(&owner, &user, &password);
      CoTaskMemFree(user);  // no prompt and no credentials: the body is the answer
      CoTaskMemFree(password);
      authenticate->Release();
    }
  }
  IHttpNegotiate* negotiate = nullptr;
  if (SUCCEEDED(delivery.callback->QueryInterface(IID_IHttpNegotiate, reinterpret_cast<void**>(&negotiate))) &&
      negotiate) {
    std::u16string headers = Utf8ToUtf16(snapshot.responseHeaders);
    LPWSTR extra = nullptr;
    negotiate->OnResponse(static_cast<DWORD>(snapshot.status), headers.c_str(), nullptr, &extra);
    CoTaskMemFree(extra);
    negotiate->Release();
  }
}

void BindingThread::OnNews(DWORD id) {
  auto it = deliveries_.find(id);
  if (it == deliveries_.end()) return;
  // Copies: the callbacks below may start or end other transfers.
  std::shared_ptr<UrlTransfer> transfer = it->second.transfer;
  transfer->notifyPending = false;
  auto snapshot = transfer->Snapshot();
  if (snapshot.responseKnown && !it->second.responseDelivered) {
    DeliverResponse(it->second, snapshot);
    it = deliveries_.find(id);
    if (it == deliveries_.end()) return;
  }
  const bool success = snapshot.finished && SUCCEEDED(snapshot.result);
  if (snapshot.unread > 0 || success) {
    Delivery& delivery = it->second;
    DWORD flags = delivery.firstDataDelivered ? BSCF_INTERMEDIATEDATANOTIFICATION : BSCF_FIRSTDATANOTIFICATION;
    if (success) flags |= BSCF_LASTDATANOTIFICATION | BSCF_DATAFULLYAVAILABLE;
    delivery.firstDataDelivered = true;
    FORMATETC format{0, nullptr, 1, -1, TYMED_ISTREAM};
    STGMEDIUM medium{};
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = delivery.stream;
    IBindStatusCallback* callback = delivery.callback;
    callback->AddRef();
    // The snapshot's count is at least what the stream has given out so far,
    // so "available minus read" never goes below zero.
    callback->OnDataAvailable(flags, static_cast<DWORD>(snapshot.received), &format, &medium);
    callback->Release();
    it = deliveries_.find(id);
    if (it == deliveries_.end()) return;
  }
  if (snapshot.finished) {
    IBindStatusCallback* callback = it->second.callback;
    IStream* stream = it->second.stream;
    deliveries_.erase(it);  // before the call: a callback that starts a new bind finds no stale entry
    callback->OnStopBinding(snapshot.result, nullptr);
    stream->Release();
    callback->Release();
  }
}

}  // namespace

HRESULT StartUrlTransfer(std::shared_ptr<UrlTransfer> transfer, IBindStatusCallback* callback) {
  if (!t_binding) {
    auto binding = std::make_unique<BindingThread>();
    if (!binding->Ok()) return E_OUTOFMEMORY;
    t_binding = std::move(binding);
  }
  return t_binding->Start(std::move(transfer), callback);
}

}  // namespace quorla
