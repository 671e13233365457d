// The price watch's windows are not part of the browser yet: nothing is
// shown. The engine's part is the process's price engine.
#include "price_watch_hooks.h"

#include "afx/wnd.h"
#include "kqie_view.h"
#include "pricewatch/price_watch_engine.h"
#include "pricewatch/price_watch_engine_core.h"

void QueueParse(CKQIEView* view) {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  if (!engine || !view) return;
  IDispatch* document = view->GetHtmlDocument();
  engine->QueueParse({view, &view->PriceCaptured}, view->GetLocationURL(), document);
  if (document) document->Release();
}

void ForgetView(CKQIEView* view) {
  if (PriceWatchEngine* engine = ProcessPriceWatchEngine()) engine->ForgetView(view);
}

bool GetParsedRecord(CKQIEView* view, ReducePriceItem* record) {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  return engine && engine->GetParsedRecord(view, record);
}

bool GetWatchItem(DWORD id, ReducePriceItem* copy) { return CopyWatchItem(id, copy); }

void GivePriceWatchWindows(CWnd* mainWindow) {
  CWnd* popup = PriceDropPopupWindow();
  SetPriceWatchWindows(mainWindow ? mainWindow->m_hWnd : nullptr, popup ? popup->m_hWnd : nullptr);
}

void CreatePriceWatchWindows(CWnd*) {}
CWnd* PriceNotifyWindow() { return nullptr; }
void ShowPriceNotify(const ReducePriceItem&, CKQIEView*) {}
void HidePriceNotify() {}
CString PriceNotifyItemUrl() { return CString(); }

CWnd* PriceDropPopupWindow() { return nullptr; }
void ShowPriceDropPopup(ReducePriceItem*) {}

void ShowWatchListDialog(CWnd*) {}
void ShowSettingsDialog(CWnd*) {}
