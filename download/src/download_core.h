#pragma once
// The state of the download queue and its worker: the queue of tasks, the
// map of requests in flight and the worker thread. Shared between the
// CHttpDownload object and its worker thread, so that a worker that does not
// end in time when the object stops still finds everything it uses; the last
// of the two to let go tears it down.
//
// Threads: any thread queues (queue lock, then separately the start lock);
// everything else runs on the worker, which takes the queue lock to empty the
// queue and the request lock for the map and the id counter. No two of the
// three locks are ever held together.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "download/http_download.h"
#include "kernel/url_moniker.h"
#include "win/critical_section.h"

struct DownloadTask {
  int verb = HttpVerbGet;
  std::u16string url;
  std::u16string filePath;
  std::vector<char> data;
  int dataLength = 0;
  int delivery = DeliverToBuffer;
  IFAsyncResult* result = nullptr;  // one reference held; may be null
};

struct DownloadRequest {
  std::u16string url;
  std::u16string filePath;
  int delivery = DeliverToBuffer;
  IUrlMoniker* download = nullptr;  // one reference held
  IFAsyncResult* result = nullptr;  // one reference held; may be null
};

// Makes the download object of one request (normally "Gravik.CUrlMoniker"
// through Pelmor's loader).
using DownloadFactory = HRESULT (*)(IUrlMoniker** out);
HRESULT CreateUrlMonikerByName(IUrlMoniker** out);

class DownloadCore : public std::enable_shared_from_this<DownloadCore> {
 public:
  explicit DownloadCore(DownloadFactory factory = CreateUrlMonikerByName);
  ~DownloadCore();
  DownloadCore(const DownloadCore&) = delete;
  DownloadCore& operator=(const DownloadCore&) = delete;

  // Any thread.
  bool EnqueueTask(int verb, LPCWSTR url, const void* data, int dataLength, LPCWSTR filePath, int delivery,
                   IFAsyncResult* result);
  void SignalStop();
  // Stops the worker (waiting at most timeoutMs) and, when it has ended,
  // aborts the requests in flight and drops the queue without reporting.
  void StopWorker(DWORD timeoutMs);

  // The worker's id, 0 while none runs (for tests).
  DWORD WorkerThreadId();

 private:
  bool StartWorker();
  static DWORD WorkerThreadProc(LPVOID parameter);
  void WorkerLoop();
  void StartTask(DownloadTask* task);
  void Pump();
  void CompleteRequest(int requestId);
  void FailAtOnce(int requestId);
  // Takes a request out of the map; false when it is not (or no longer) there.
  bool TakeRequest(int requestId, DownloadRequest& request);
  void AbortRequestsInFlight();
  void ClearQueue();

  const DownloadFactory factory_;
  CRITICAL_SECTION startLock_;
  std::deque<DownloadTask*> queue_;
  CRITICAL_SECTION queueLock_;
  HANDLE worker_ = nullptr;
  DWORD workerId_ = 0;
  HANDLE stopEvent_ = nullptr;
  int lastRequestId_ = 0;
  std::map<int, DownloadRequest> requests_;
  CRITICAL_SECTION requestLock_;
};

