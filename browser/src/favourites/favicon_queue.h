#pragma once
// The page-icon queue and its one worker. The user-interface thread queues
// a request per top-level navigation; the worker takes them one at a time,
// in order, downloads each icon and sends the bytes to the main window
// (WM_FAVICON_LOADED, lParam the request), waiting until it has been
// handled before it frees the request. Requests are never merged.
#include <atomic>
#include <cstdint>
#include <deque>

#include "favourites_hooks.h"
#include "win/critical_section.h"
#include "win/types.h"

class FaviconQueue {
 public:
  FaviconQueue();
  // Stops the worker first (see Stop), then frees what is left.
  ~FaviconQueue();
  FaviconQueue(const FaviconQueue&) = delete;
  FaviconQueue& operator=(const FaviconQueue&) = delete;

  // Where the icons go from now on.
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  // Starts the worker unless it runs; FALSE when it could not be started.
  BOOL Start();
  bool Running() const { return thread_ != nullptr; }
  // Sets the stop flag and waits for the worker to see it. The main window
  // must be gone, or its thread free to answer, while this waits.
  void Stop();

  // Appends a request for the icon of the page's site, for the tab of view
  // with its serial; nothing for a page without one (FaviconAddress).
  void RequestFavicon(const CString& pageUrl, CKQIEView* view, uint64_t serial);
  // Requests waiting, for tests.
  size_t Waiting();

 private:
  static DWORD FaviconThreadProc(LPVOID queue);
  FaviconRequest* TakeFirst();

  std::deque<FaviconRequest*> list_;
  std::atomic<HWND> mainWindow_{nullptr};
  std::atomic<LONG> stop_{0};
  HANDLE thread_ = nullptr;
  CRITICAL_SECTION lock_;
};

// Fills the request's bytes with the body of its address: only a final
// status 200 reads the body, in blocks of at most 1024 bytes. False on any
// failure (no bytes kept); never throws.
bool DownloadFavicon(FaviconRequest& request);
