// URL transfers over libcurl's multi interface. Each binding thread gets a
// context on first use: a hidden message-only window that receives news of
// its transfers, and a network thread with one curl multi handle that runs
// all of that thread's transfers side by side. The network thread only moves
// bytes into the transfers and posts news; every callback into the system
// runs on the binding thread from the hidden window's procedure.
#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

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

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 5;
constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)";
constexpr LPCWSTR kWindowClass = u"QuorlaUrlTransferNews";

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HRESULT ResultOfCurl(CURLcode code, bool overLimit, bool stalled) {
  if (stalled) return INET_E_CONNECTION_TIMEOUT;
  if (overLimit) return INET_E_DOWNLOAD_FAILURE;
  switch (code) {
    case CURLE_OK:
      return S_OK;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return INET_E_UNKNOWN_PROTOCOL;
    case CURLE_URL_MALFORMAT:
      return INET_E_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return INET_E_RESOURCE_NOT_FOUND;
    case CURLE_COULDNT_CONNECT:
      return INET_E_CANNOT_CONNECT;
    case CURLE_TOO_MANY_REDIRECTS:
      return INET_E_REDIRECT_FAILED;
    case CURLE_OPERATION_TIMEDOUT:
      return INET_E_CONNECTION_TIMEOUT;
    default:
      return INET_E_DOWNLOAD_FAILURE;
  }
}

// What the network thread keeps per running transfer.
struct Running {
  std::shared_ptr<UrlTransfer> transfer;
  CURL* easy = nullptr;
  curl_slist* headerList = nullptr;
  Clock::time_point lastActivity;
  std::string headerBlock;
  bool responseKnown = false;
  ULONGLONG received = 0;
  bool overLimit = false;
  bool stalled = false;
};

size_t OnBody(char* data, size_t size, size_t count, void* context) {
  auto* running = static_cast<Running*>(context);
  size_t bytes = size * count;
  running->lastActivity = Clock::now();
  UrlTransfer& transfer = *running->transfer;
  if (!running->responseKnown) {
    running->responseKnown = true;
    long status = 0;
    curl_easy_getinfo(running->easy, CURLINFO_RESPONSE_CODE, &status);
    transfer.SetResponse(status, running->headerBlock);
  }
  if (running->received + bytes > transfer.maxBodyBytes) {
    running->overLimit = true;
    return 0;  // ends the transfer with a write error
  }
  running->received += bytes;
  transfer.Append(data, bytes);
  transfer.Notify();
  return bytes;
}

size_t OnHeader(char* data, size_t size, size_t count, void* context) {
  auto* running = static_cast<Running*>(context);
  size_t bytes = size * count;
  running->lastActivity = Clock::now();
  std::string line(data, bytes);
  if (line.rfind("HTTP/", 0) == 0) running->headerBlock.clear();  // a new response (after a redirect)
  running->headerBlock += line;
  return bytes;
}

// The network thread of one binding thread.
class CurlNetwork final : public NetworkWaker {
 public:
  CurlNetwork() : multi_(curl_multi_init()) {
    thread_ = std::thread([this] { Run(); });
  }
  ~CurlNetwork() override { Shutdown(); }

  // Ends every running transfer (E_ABORT) and the thread. Transfers may
  // still hold this object as their waker; waking it then does nothing.
  void Shutdown() {
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (!multi_) return;
      stop_ = true;
      curl_multi_wakeup(multi_);
    }
    thread_.join();
    std::vector<std::shared_ptr<UrlTransfer>> neverStarted;
    {
      std::lock_guard<std::mutex> guard(lock_);
      curl_multi_cleanup(multi_);
      multi_ = nullptr;
      neverStarted.swap(incoming_);  // they hold this object as their waker
    }
    for (auto& transfer : neverStarted) transfer->Finish(E_ABORT);
  }

  bool Ok() const { return multi_ != nullptr; }

  void Add(std::shared_ptr<UrlTransfer> transfer) {
    std::lock_guard<std::mutex> guard(lock_);
    incoming_.push_back(std::move(transfer));
    curl_multi_wakeup(multi_);
  }

  void Wake() override {
    std::lock_guard<std::mutex> guard(lock_);
    if (multi_) curl_multi_wakeup(multi_);
  }

 private:
  void Run() {
    EnsureAlternateSignalStack();
    for (;;) {
      std::vector<std::shared_ptr<UrlTransfer>> incoming;
      {
        std::lock_guard<std::mutex> guard(lock_);
        if (stop_) break;
        incoming.swap(incoming_);
      }
      for (auto& transfer : incoming) Begin(std::move(transfer));
      int stillRunning = 0;
      curl_multi_perform(multi_, &stillRunning);
      CURLMsg* message;
      int left;
      while ((message = curl_multi_info_read(multi_, &left))) {
        if (message->msg != CURLMSG_DONE) continue;
        auto it = running_.find(message->easy_handle);
        if (it == running_.end()) continue;
        End(it, ResultOfCurl(message->data.result, it->second->overLimit, false));
      }
      DWORD pollMs = 1000;
      auto now = Clock::now();
      for (auto it = running_.begin(); it != running_.end();) {
        Running& r = *it->second;
        auto current = it++;
        auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(now - r.lastActivity).count();
        if (r.transfer->abortRequested) {
          End(current, E_ABORT);
        } else if (idle >= static_cast<long long>(r.transfer->stallMilliseconds)) {
          End(current, INET_E_CONNECTION_TIMEOUT);
        } else {
          pollMs = std::min<DWORD>(pollMs, r.transfer->stallMilliseconds - static_cast<DWORD>(idle) + 1);
        }
      }
      curl_multi_poll(multi_, nullptr, 0, static_cast<int>(pollMs), nullptr);
    }
    for (auto it = running_.begin(); it != running_.end();) End(it++, E_ABORT);
  }

  void Begin(std::shared_ptr<UrlTransfer> transfer) {
    auto running = std::make_unique<Running>();
    running->transfer = transfer;
    running->lastActivity = Clock::now();
    CURL* easy = curl_easy_init();
    if (!easy) {
      transfer->Finish(E_OUTOFMEMORY);
      transfer->Notify();
      return;
    }
    running->easy = easy;
    curl_easy_setopt(easy, CURLOPT_URL, transfer->url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer->maxBodyBytes));
    if (!transfer->trustedCertificates.empty()) {
      curl_easy_setopt(easy, CURLOPT_CAINFO, transfer->trustedCertificates.c_str());
    }
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, running.get());
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, running.get());
    bool typeGiven = false;
    for (const std::string& header : transfer->headers) {
      running->headerList = curl_slist_append(running->headerList, header.c_str());
      if (strncasecmp(header.c_str(), "content-type:", 13) == 0) typeGiven = true;
    }
    if (transfer->post) {
      curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(transfer->postData.size()));
      curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, transfer->postData.c_str());
      // Only the negotiated headers say what the body is.
      if (!typeGiven) running->headerList = curl_slist_append(running->headerList, "Content-Type:");
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, running->headerList);
    if (curl_multi_add_handle(multi_, easy) != CURLM_OK) {
      curl_slist_free_all(running->headerList);
      curl_easy_cleanup(easy);
      transfer->Finish(E_OUTOFMEMORY);
      transfer->Notify();
      return;
    }
    running_.emplace(easy, std::move(running));
  }

  void End(std::map<CURL*, std::unique_ptr<Running>>::iterator it, HRESULT result) {
    Running& r = *it->second;
    if (SUCCEEDED(result) || r.received > 0) {
      long status = 0;
      curl_easy_getinfo(r.easy, CURLINFO_RESPONSE_CODE, &status);
      if (status > 0) r.transfer->SetResponse(status, r.headerBlock);
    }
    curl_multi_remove_handle(multi_, r.easy);
    curl_easy_cleanup(r.easy);
    curl_slist_free_all(r.headerList);
    r.transfer->Finish(result);
    r.transfer->Notify();
    running_.erase(it);
  }

  std::mutex lock_;  // guards incoming_, stop_ and multi_ for wake-ups
  CURLM* multi_;
  bool stop_ = false;
  std::vector<std::shared_ptr<UrlTransfer>> incoming_;
  std::map<CURL*, std::unique_ptr<Running>> running_;  // network thread only
  std::thread thread_;
};

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
