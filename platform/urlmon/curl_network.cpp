#include "curl_network.h"

#include <strings.h>

#include <chrono>

#include "win/threads.h"

namespace quorla {

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 5;
constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)";

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

}  // namespace

// What the network thread keeps per running transfer.
struct CurlNetwork::Running {
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

namespace {

size_t OnBody(char* data, size_t size, size_t count, void* context) {
  auto* running = static_cast<CurlNetwork::Running*>(context);
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
  auto* running = static_cast<CurlNetwork::Running*>(context);
  size_t bytes = size * count;
  running->lastActivity = Clock::now();
  std::string line(data, bytes);
  if (line.rfind("HTTP/", 0) == 0) running->headerBlock.clear();  // a new response (after a redirect)
  running->headerBlock += line;
  return bytes;
}

}  // namespace

CurlNetwork::CurlNetwork() : multi_((InitCurlOnce(), curl_multi_init())) {
  thread_ = std::thread([this] { Run(); });
}

CurlNetwork::~CurlNetwork() { Shutdown(); }

void CurlNetwork::Shutdown() {
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

void CurlNetwork::Add(std::shared_ptr<UrlTransfer> transfer) {
  std::lock_guard<std::mutex> guard(lock_);
  incoming_.push_back(std::move(transfer));
  curl_multi_wakeup(multi_);
}

void CurlNetwork::Wake() {
  std::lock_guard<std::mutex> guard(lock_);
  if (multi_) curl_multi_wakeup(multi_);
}

void CurlNetwork::Run() {
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

void CurlNetwork::Begin(std::shared_ptr<UrlTransfer> transfer) {
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

void CurlNetwork::End(RunningMap::iterator it, HRESULT result) {
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

}  // namespace quorla
