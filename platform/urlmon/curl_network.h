#pragma once
// One network thread over a libcurl multi handle, running any number of URL
// transfers side by side: it only moves bytes into the transfers, ends them
// (stall and size limits, aborts) and tells them (UrlTransfer::Notify).
// Whoever owns it decides how the transfers' readers learn of news: the URL
// download through its binding thread's hidden window, the internet
// functions by waiting on the transfer itself.
#include <curl/curl.h>

#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "url_transfer.h"

namespace quorla {

void InitCurlOnce();

class CurlNetwork final : public NetworkWaker {
 public:
  CurlNetwork();
  ~CurlNetwork() override;

  // Ends every running transfer (E_ABORT) and the thread. Transfers may
  // still hold this object as their waker; waking it then does nothing.
  void Shutdown();
  bool Ok() const { return multi_ != nullptr; }
  void Add(std::shared_ptr<UrlTransfer> transfer);
  void Wake() override;

  struct Running;

 private:
  using RunningMap = std::map<CURL*, std::unique_ptr<Running>>;
  void Run();
  void Begin(std::shared_ptr<UrlTransfer> transfer);
  void End(RunningMap::iterator it, HRESULT result);

  std::mutex lock_;  // guards incoming_, stop_ and multi_ for wake-ups
  CURLM* multi_;
  bool stop_ = false;
  std::vector<std::shared_ptr<UrlTransfer>> incoming_;
  RunningMap running_;  // network thread only
  std::thread thread_;
};

}  // namespace quorla
