// The views' side of the engine: pages queued for parsing, forgotten when
// their view navigates or goes, and the records parsed from them.
#include <utility>

#include "price_watch_engine_core.h"
#include "shopping/html_parser.h"
#include "shopping/reduce_price_mgr.h"

void PriceWatchEngine::QueueParse(const PriceWatchView& view, LPCWSTR url, IUnknown* document) {
  if (!m_parser || !m_manager || !view.view || !url) return;
  // A page watched already (in any letter case) is offered no more.
  if (m_manager->FindUrl(url) == S_OK) return;
  BSTR html = nullptr;
  if (FAILED(m_parser->GetDocumentHtml(document, &html)) || !html) return;
  OwnedBstr page(html);
  if (::SysStringLen(html) == 0) return;

  ParseRequest request;
  request.view = view.view;
  request.captured = view.captured;
  request.generation = m_records.GenerationOf(view.view);
  request.url = url;
  request.html = std::move(page);
  m_queue.Put(std::move(request));
}

void PriceWatchEngine::ForgetView(const void* view) {
  m_records.Forget(view);
  m_queue.Drop(view);
}

bool PriceWatchEngine::GetParsedRecord(const void* view, ReducePriceItem* record) {
  return m_records.Copy(view, record);
}
