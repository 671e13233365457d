// Any bytes a server may send back: a loopback listener answers each request
// with the input as the raw response, and a URL download object fetches it.
// The download must end (done or failed) without crashing, hanging or
// leaking, and a done download's body must be as long as it says.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "framework/com_ptr.h"
#include "framework/s_module.h"
#include "kernel/url_moniker.h"
#include "win/com.h"
#include "win/messages.h"
#include "win/time.h"
#include "win/urlmon.h"

namespace {

// Serves one response per connection: whatever Respond() was given last.
class OneShotServer {
 public:
  OneShotServer() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 16);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    std::thread([this] { Run(); }).detach();  // lives as long as the process
  }
  void Respond(std::string bytes) {
    std::lock_guard<std::mutex> guard(lock_);
    response_ = std::move(bytes);
  }
  std::u16string Url() const {
    std::string url = "http://127.0.0.1:" + std::to_string(port_) + "/page";
    return std::u16string(url.begin(), url.end());
  }

 private:
  void Run() {
    for (;;) {
      int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd waiting{client, POLLIN, 0};
        if (poll(&waiting, 1, 2000) <= 0) break;
        ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
      }
      std::string response;
      {
        std::lock_guard<std::mutex> guard(lock_);
        response = response_;
      }
      size_t sent = 0;
      while (sent < response.size()) {
        ssize_t n = send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
      }
      shutdown(client, SHUT_RDWR);
      close(client);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::mutex lock_;
  std::string response_;
};

int g_calls = 0;
int OnDone(int, int, int) {
  ++g_calls;
  return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static OneShotServer* server = [] {
    CoInitialize(nullptr);
    quorla::SetUrlTransferLimits(1000, 1 << 20);
    return new OneShotServer;
  }();
  server->Respond(std::string(reinterpret_cast<const char*>(data), size));

  S_COM::ComPtr<IUrlMoniker> moniker;
  S_COM::GetThisModule().CreateInstance(u"CUrlMoniker", nullptr, IID_IUrlMoniker, moniker.PutVoid());
  if (!moniker) std::abort();
  g_calls = 0;
  moniker->SetCallback(OnDone, 0);
  std::u16string url = server->Url();
  if (FAILED(moniker->Start(url.c_str(), nullptr, 0))) return 0;
  ULONGLONG deadline = GetTickCount64() + 10000;
  while (g_calls == 0) {
    if (GetTickCount64() > deadline) std::abort();  // a download that never ends is a finding
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE | QS_SENDMESSAGE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  if (g_calls != 1) std::abort();
  int state = moniker->GetState();
  if (state != UrlStateDone && state != UrlStateFailed) std::abort();
  if (state == UrlStateDone && moniker->GetDataSize() > 0 && moniker->GetData()[moniker->GetDataSize()] != 0)
    std::abort();
  return 0;
}
