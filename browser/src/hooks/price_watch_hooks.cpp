// The price watch of the browser: the engine's part is the process's price
// engine; the windows' part, the offer bar, the price-drop pop-up and the two
// dialogs, each reaching the engine through EngineWatchActions.
#include "price_watch_hooks.h"

#include <memory>

#include "afx/wnd.h"
#include "config_dlg.h"
#include "cut_price_dlg.h"
#include "kqie_view.h"
#include "price_notify_wnd.h"
#include "pricewatch/price_watch_engine.h"
#include "pricewatch/price_watch_engine_core.h"
#include "quorla_msg.h"
#include "watch_actions.h"

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

// The price watch's windows: the offer bar (a child of the main window) and
// the price-drop pop-up (a top-level window of its own), made with the main
// window. The bar's end takes the pop-up with it, so a main window that goes
// leaves no window of the price watch behind.
namespace {

class OfferBar : public CPriceNotifyWnd {
 public:
  using CPriceNotifyWnd::CPriceNotifyWnd;
  CQuorlaMsg* popup = nullptr;

 protected:
  void PostNcDestroy() override {
    CPriceNotifyWnd::PostNcDestroy();
    if (popup && popup->m_hWnd) popup->DestroyWindow();
  }
};

std::unique_ptr<OfferBar> g_offerBar;
std::unique_ptr<CQuorlaMsg> g_popup;

}  // namespace

void CreatePriceWatchWindows(CWnd* mainWindow) {
  g_offerBar.reset();
  g_popup.reset();
  g_offerBar = std::make_unique<OfferBar>(EngineWatchActions());
  g_popup = std::make_unique<CQuorlaMsg>(EngineWatchActions());
  g_offerBar->popup = g_popup.get();
  g_offerBar->Create(mainWindow);
  // The desktop is its parent: it belongs to no window of the program.
  g_popup->Create(nullptr, mainWindow);
}

CWnd* PriceNotifyWindow() { return g_offerBar && g_offerBar->m_hWnd ? g_offerBar.get() : nullptr; }

void ShowPriceNotify(const ReducePriceItem& record, CKQIEView* view) {
  if (g_offerBar && g_offerBar->m_hWnd) g_offerBar->ShowPriceNotify(record, view);
}

void HidePriceNotify() {
  if (g_offerBar && g_offerBar->m_hWnd) g_offerBar->ShowWindow(SW_HIDE);
}

CString PriceNotifyItemUrl() { return g_offerBar ? CString(g_offerBar->Item().Url) : CString(); }

CWnd* PriceDropPopupWindow() { return g_popup && g_popup->m_hWnd ? g_popup.get() : nullptr; }

void ShowPriceDropPopup(ReducePriceItem* item) {
  if (item && g_popup && g_popup->m_hWnd) g_popup->ShowPriceDrop(*item);
}

void ShowWatchListDialog(CWnd* mainWindow) {
  CCutPriceDlg dialog(EngineWatchActions(), mainWindow);
  dialog.DoModal();
}

void ShowSettingsDialog(CWnd* mainWindow) {
  CConfigDlg dialog(mainWindow);
  dialog.DoModal();
}
