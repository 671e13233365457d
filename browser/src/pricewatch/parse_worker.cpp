// The parse worker: takes the queued pages one at a time and parses them on
// its own thread (a shop's promotion lookup may keep it here for minutes).
#include "browser_ids.h"
#include "price_watch_engine_core.h"
#include "shopping/html_parser.h"
#include "win/com.h"
#include "win/messages.h"
#include "win/time.h"

void PriceWatchEngine::ParseWorkerLoop() {
  ::CoInitialize(nullptr);
  while (!Stopping()) {
    std::optional<ParseRequest> request = m_queue.Take();
    if (!request) {
      ::Sleep(kParseIdleMs);
      continue;
    }
    ParseOne(*request);
  }
  ::CoUninitialize();
}

void PriceWatchEngine::ParseOne(ParseRequest& request) {
  if (!m_parser) return;
  // The flag is read only while the view is known to live.
  bool captured = false;
  const bool current = m_records.WhileCurrent(request.view, request.generation, [&] {
    captured = request.captured && request.captured->load() != 0;
  });
  if (!current || captured) return;

  ReducePriceItem record;
  InitReducePriceItem(&record);
  if (FAILED(m_parser->ParseHtml(request.html.get(), request.url.c_str(), &record))) return;

  // A view that navigated or closed meanwhile gets nothing of this page.
  m_records.WhileCurrent(request.view, request.generation, [&] {
    m_records.Store(request.view, record);
    if (request.captured) request.captured->store(1);
    if (HWND mainWindow = MainWindow())
      ::PostMessageW(mainWindow, WM_PRICE_PARSED, 0, reinterpret_cast<LPARAM>(request.view));
  });
}
