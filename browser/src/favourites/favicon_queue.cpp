#include "favicon_queue.h"

#include <memory>

#include "afx/internet_session.h"
#include "afx/win_app.h"
#include "favicon_address.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/waits.h"

namespace {

constexpr DWORD kIdleSleep = 500;
constexpr UINT kBlockSize = 1024;
constexpr DWORD_PTR kContext = 1;

}  // namespace

FaviconQueue::FaviconQueue() { InitializeCriticalSection(&lock_); }

FaviconQueue::~FaviconQueue() {
  Stop();
  for (FaviconRequest* request : list_) delete request;
  DeleteCriticalSection(&lock_);
}

BOOL FaviconQueue::Start() {
  if (thread_) return TRUE;
  stop_ = 0;
  thread_ = CreateThread(nullptr, 0, &FaviconQueue::FaviconThreadProc, this, 0, nullptr);
  return thread_ != nullptr;
}

void FaviconQueue::Stop() {
  if (!thread_) return;
  stop_ = 1;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
}

void FaviconQueue::RequestFavicon(const CString& pageUrl, CKQIEView* view, uint64_t serial) {
  const CString address = FaviconAddress(pageUrl);
  if (address.IsEmpty()) return;
  auto* request = new FaviconRequest;
  request->url = address;
  request->view = view;
  request->serial = serial;
  EnterCriticalSection(&lock_);
  list_.push_back(request);
  LeaveCriticalSection(&lock_);
}

size_t FaviconQueue::Waiting() {
  EnterCriticalSection(&lock_);
  const size_t count = list_.size();
  LeaveCriticalSection(&lock_);
  return count;
}

FaviconRequest* FaviconQueue::TakeFirst() {
  FaviconRequest* request = nullptr;
  EnterCriticalSection(&lock_);
  if (!list_.empty()) {
    request = list_.front();
    list_.pop_front();
  }
  LeaveCriticalSection(&lock_);
  return request;
}

DWORD FaviconQueue::FaviconThreadProc(LPVOID parameter) {
  auto* queue = static_cast<FaviconQueue*>(parameter);
  while (queue->stop_ == 0) {
    std::unique_ptr<FaviconRequest> request(queue->TakeFirst());
    if (!request) {
      Sleep(kIdleSleep);
      continue;
    }
    // The main window decodes the bytes during the call; the request is
    // freed only after it answered.
    if (DownloadFavicon(*request) && !request->bytes.empty()) {
      SendMessageW(queue->mainWindow_, WM_FAVICON_LOADED, 0, reinterpret_cast<LPARAM>(request.get()));
    }
  }
  return 1;
}

bool DownloadFavicon(FaviconRequest& request) {
  request.bytes.clear();
  try {
    CInternetSession session(AfxGetAppName(), kContext, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    std::unique_ptr<CHttpFile> file(
        session.OpenURL(request.url, kContext, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY, nullptr, 0));
    DWORD status = 0;
    if (!file->QueryInfoStatusCode(status) || status != 200) return false;
    BYTE block[kBlockSize];
    while (const UINT read = file->Read(block, kBlockSize)) request.bytes.insert(request.bytes.end(), block, block + read);
    file->Close();
    return true;
  } catch (CInternetException* e) {
    e->Delete();
    request.bytes.clear();
    return false;
  }
}
