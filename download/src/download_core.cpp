#include "download_core.h"

#include <new>

#include "body_delivery.h"
#include "framework/module_loader.h"
#include "win/com.h"
#include "win/events.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/waits.h"

namespace {

constexpr DWORD kPumpQuietMs = 30;

// The download object calls back on the thread that started it: the worker.
int OnMonikerDone(int context, int, int) {
  PostThreadMessageW(GetCurrentThreadId(), WM_DOWNLOAD_COMPLETE, static_cast<WPARAM>(context), 0);
  return 1;
}

void ReleaseTask(DownloadTask* task) {
  if (task->result) task->result->Release();
  delete task;
}

void ReleaseRequest(DownloadRequest& request) {
  if (request.download) request.download->Release();
  if (request.result) request.result->Release();
  request.download = nullptr;
  request.result = nullptr;
}

}  // namespace

HRESULT CreateUrlMonikerByName(IUrlMoniker** out) {
  return CreateObject<IUrlMoniker>(u"Gravik.CUrlMoniker", out);
}

DownloadCore::DownloadCore(DownloadFactory factory) : factory_(factory) {
  InitializeCriticalSection(&startLock_);
  InitializeCriticalSection(&queueLock_);
  InitializeCriticalSection(&requestLock_);
}

DownloadCore::~DownloadCore() {
  // Either the worker has ended, or this runs on the worker itself as it
  // lets go of the last reference: nothing else uses the state any more.
  AbortRequestsInFlight();
  ClearQueue();
  if (worker_) CloseHandle(worker_);
  if (stopEvent_) CloseHandle(stopEvent_);
  DeleteCriticalSection(&requestLock_);
  DeleteCriticalSection(&queueLock_);
  DeleteCriticalSection(&startLock_);
}

bool DownloadCore::EnqueueTask(int verb, LPCWSTR url, const void* data, int dataLength, LPCWSTR filePath,
                               int delivery, IFAsyncResult* result) {
  if (!url || (verb == HttpVerbPost && !data) || (delivery == DeliverToFile && !filePath)) return false;
  if (verb == HttpVerbPost && dataLength < 0) return false;  // a negative length would copy garbage
  auto* task = new (std::nothrow) DownloadTask;
  if (!task) return false;
  try {
    task->verb = verb;
    task->url = url;
    if (filePath) task->filePath = filePath;
    if (verb == HttpVerbPost) {
      const auto* bytes = static_cast<const char*>(data);
      task->data.assign(bytes, bytes + dataLength);
      task->dataLength = dataLength;
    }
    task->delivery = delivery;
  } catch (const std::bad_alloc&) {
    delete task;
    return false;
  }
  task->result = result;
  if (result) result->AddRef();

  EnterCriticalSection(&queueLock_);
  queue_.push_back(task);
  LeaveCriticalSection(&queueLock_);

  EnterCriticalSection(&startLock_);
  bool running = worker_ || StartWorker();
  LeaveCriticalSection(&startLock_);
  return running;
}

bool DownloadCore::StartWorker() {
  if (worker_) return true;
  if (!stopEvent_) {
    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stopEvent_) return false;
  }
  ResetEvent(stopEvent_);
  // The worker holds the state too, so that it outlives an owner that stops
  // waiting for it.
  auto* self = new (std::nothrow) std::shared_ptr<DownloadCore>(shared_from_this());
  if (!self) return false;
  DWORD id = 0;
  worker_ = CreateThread(nullptr, 0, WorkerThreadProc, self, 0, &id);
  if (!worker_) {
    delete self;
    return false;
  }
  workerId_ = id;
  return true;
}

DWORD DownloadCore::WorkerThreadProc(LPVOID parameter) {
  std::shared_ptr<DownloadCore> core = std::move(*static_cast<std::shared_ptr<DownloadCore>*>(parameter));
  delete static_cast<std::shared_ptr<DownloadCore>*>(parameter);
  CoInitialize(nullptr);
  core->WorkerLoop();
  CoUninitialize();
  return 0;
}

DWORD DownloadCore::WorkerThreadId() {
  EnterCriticalSection(&startLock_);
  DWORD id = worker_ ? workerId_ : 0;
  LeaveCriticalSection(&startLock_);
  return id;
}

void DownloadCore::SignalStop() {
  EnterCriticalSection(&startLock_);
  if (stopEvent_) SetEvent(stopEvent_);
  LeaveCriticalSection(&startLock_);
}

void DownloadCore::WorkerLoop() {
  while (WaitForSingleObject(stopEvent_, 0) != WAIT_OBJECT_0) {
    std::deque<DownloadTask*> tasks;
    EnterCriticalSection(&queueLock_);
    tasks.swap(queue_);
    LeaveCriticalSection(&queueLock_);
    for (DownloadTask* task : tasks) StartTask(task);
    Pump();
  }
}

void DownloadCore::StartTask(DownloadTask* task) {
  IUrlMoniker* download = nullptr;
  if (FAILED(factory_(&download)) || !download) {
    // Nothing will ever complete this request: say so now instead of
    // leaving the requester to its time-out.
    if (task->result) task->result->SetResult(0, nullptr);
    ReleaseTask(task);
    return;
  }
  DownloadRequest request;
  request.url = task->url;
  request.filePath = task->filePath;
  request.delivery = task->delivery;
  request.download = download;
  download->AddRef();
  request.result = task->result;
  if (request.result) request.result->AddRef();

  EnterCriticalSection(&requestLock_);
  int id = ++lastRequestId_;
  requests_.emplace(id, request);
  LeaveCriticalSection(&requestLock_);

  download->SetCallback(OnMonikerDone, id);
  const void* data = task->data.empty() ? nullptr : task->data.data();
  // MK_S_ASYNCHRONOUS and other success codes mean the transfer runs.
  if (FAILED(download->Start(task->url.c_str(), data, static_cast<unsigned>(task->dataLength)))) FailAtOnce(id);

  download->Release();
  ReleaseTask(task);
}

void DownloadCore::FailAtOnce(int requestId) {
  // Out of the map first: a completion that still arrives for this id then
  // finds nothing and cannot report the request a second time.
  DownloadRequest request;
  bool found = TakeRequest(requestId, request);
  if (!found) return;
  if (request.result) request.result->SetResult(0, nullptr);
  ReleaseRequest(request);
}

bool DownloadCore::TakeRequest(int requestId, DownloadRequest& request) {
  bool found = false;
  EnterCriticalSection(&requestLock_);
  auto it = requests_.find(requestId);
  if (it != requests_.end()) {
    request = it->second;  // the references move with it
    requests_.erase(it);
    found = true;
  }
  LeaveCriticalSection(&requestLock_);
  return found;
}

void DownloadCore::Pump() {
  HANDLE stop = stopEvent_;
  while (MsgWaitForMultipleObjects(1, &stop, FALSE, kPumpQuietMs, QS_POSTMESSAGE | QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_DOWNLOAD_COMPLETE && !msg.hwnd) {
        CompleteRequest(static_cast<int>(msg.wParam));
        continue;
      }
      try {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      } catch (...) {
        // A handler's exception costs that message only; the worker goes on.
        // Hardware faults are not caught here: they belong to the crash
        // handler, since going on after one is unsafe.
      }
    }
  }
}

void DownloadCore::CompleteRequest(int requestId) {
  DownloadRequest request;
  bool found = TakeRequest(requestId, request);
  if (!found || !request.download) {
    ReleaseRequest(request);
    return;
  }
  IUnknown* buffer = nullptr;
  bool success = DeliverBody(request, &buffer);
  if (request.result) request.result->SetResult(success ? 1 : 0, buffer);
  if (buffer) buffer->Release();
  ReleaseRequest(request);
}

void DownloadCore::StopWorker(DWORD timeoutMs) {
  HANDLE worker = nullptr;
  EnterCriticalSection(&startLock_);
  if (stopEvent_) SetEvent(stopEvent_);
  std::swap(worker, worker_);
  LeaveCriticalSection(&startLock_);
  if (worker) {
    DWORD waited = WaitForSingleObject(worker, timeoutMs);
    CloseHandle(worker);
    // A worker that is still running keeps using the map and the queue;
    // they are torn down when it lets go of this state.
    if (waited != WAIT_OBJECT_0) return;
    AbortRequestsInFlight();
  }
  ClearQueue();
}

void DownloadCore::AbortRequestsInFlight() {
  std::map<int, DownloadRequest> requests;
  EnterCriticalSection(&requestLock_);
  requests.swap(requests_);
  LeaveCriticalSection(&requestLock_);
  for (auto& [id, request] : requests) {
    if (request.download) request.download->Abort();
    ReleaseRequest(request);
  }
}

void DownloadCore::ClearQueue() {
  std::deque<DownloadTask*> tasks;
  EnterCriticalSection(&queueLock_);
  tasks.swap(queue_);
  LeaveCriticalSection(&queueLock_);
  for (DownloadTask* task : tasks) ReleaseTask(task);
}
