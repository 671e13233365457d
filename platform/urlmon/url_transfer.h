#pragma once
// One URL transfer, shared by the binding thread (callbacks, the data stream,
// IBinding) and the network thread that moves its bytes. The network thread
// appends data and reports the response and the end; the binding thread reads
// and delivers. Everything shared is under the transfer's own lock.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "win/urlmon.h"

namespace quorla {

// Posted to the binding thread's hidden window: lParam = transfer id.
constexpr UINT kTransferNewsMessage = 0x0400 + 0x5A1;

// Wakes the network thread that serves a transfer; outlives that thread.
class NetworkWaker {
 public:
  virtual ~NetworkWaker() = default;
  virtual void Wake() = 0;
};

struct TransferSnapshot {
  bool responseKnown = false;
  long status = 0;
  std::string responseHeaders;
  ULONGLONG received = 0;
  size_t unread = 0;
  bool finished = false;
  HRESULT result = S_OK;
};

class UrlTransfer {
 public:
  // The request, fixed before the network thread sees the transfer.
  DWORD id = 0;
  std::string url;
  bool post = false;
  std::string postData;
  std::vector<std::string> headers;
  DWORD stallMilliseconds = 60000;
  ULONGLONG maxBodyBytes = 256ull << 20;
  std::string trustedCertificates;  // a PEM file, or empty
  // Null for a reader that waits on the transfer itself (WaitForResponse,
  // WaitForData) instead of hearing news through a window.
  HWND notifyWindow = nullptr;
  std::shared_ptr<NetworkWaker> waker;

  // Asked from any thread; the network thread ends the transfer with E_ABORT.
  std::atomic<bool> abortRequested{false};
  // Set while a news message for this transfer is on its way.
  std::atomic<bool> notifyPending{false};

  // Network thread.
  void SetResponse(long status, std::string headers);
  void Append(const char* data, size_t size);
  // The first end wins; later ones are ignored.
  void Finish(HRESULT result);
  // Posts a news message to the binding thread unless one is pending.
  void Notify();

  // Binding thread.
  TransferSnapshot Snapshot();
  // S_OK with at least one byte, E_PENDING, S_FALSE at a successful end, or
  // the failure of the transfer.
  HRESULT Read(void* buffer, ULONG count, ULONG* read);
  bool Finished();

  // A reader without a message loop: block until the final response is
  // known or the transfer has ended; until there are bytes to read or the
  // transfer has ended. The network thread ends every transfer in the end
  // (its stall limit), so neither waits for ever.
  void WaitForResponse();
  void WaitForData();

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<std::string> chunks_;
  size_t frontOffset_ = 0;
  size_t unread_ = 0;
  ULONGLONG received_ = 0;
  bool responseKnown_ = false;
  long status_ = 0;
  std::string responseHeaders_;
  bool finished_ = false;
  HRESULT result_ = S_OK;
};

// The transfer's data as the stream handed to OnDataAvailable.
IStream* NewTransferStream(std::shared_ptr<UrlTransfer> transfer);
// The IBinding handed to OnStartBinding.
IBinding* NewBinding(std::shared_ptr<UrlTransfer> transfer);

// Starts the transfer on the calling (binding) thread's network thread; the
// callback (one reference taken) hears everything from OnStartBinding on.
// A failure means no callback was or will be called.
HRESULT StartUrlTransfer(std::shared_ptr<UrlTransfer> transfer, IBindStatusCallback* callback);

// The limits and trust given to new transfers.
DWORD CurrentStallLimit();
ULONGLONG CurrentBodyLimit();
std::string CurrentTrustedCertificates();

}  // namespace quorla
