// What the price engine's workers, the watch-list windows and the page-icon
// worker send the main window.
#include "browser_ids.h"
#include "favourites_hooks.h"
#include "kqie_view.h"
#include "main_frame.h"
#include "price_watch_hooks.h"
#include "shopping/reduce_price_item.h"

LRESULT CMainFrame::OnPriceParsed(WPARAM, LPARAM view) {
  // The view is only compared: its tab may have closed since the parse.
  if (view && reinterpret_cast<CKQIEView*>(view) == CurrentView()) OnPriceCandidate();
  return 1;
}

void CMainFrame::OnPriceCandidate() {
  HidePriceNotify();
  CKQIEView* view = CurrentView();
  if (!view) return;
  ReducePriceItem record;
  InitReducePriceItem(&record);
  if (GetParsedRecord(view, &record)) ShowPriceNotify(record, view);
}

LRESULT CMainFrame::OnPriceDrop(WPARAM id, LPARAM) {
  ReducePriceItem item;
  InitReducePriceItem(&item);
  if (GetWatchItem(static_cast<DWORD>(id), &item)) ShowPriceDropPopup(&item);
  return 1;
}

LRESULT CMainFrame::OnOpenItemUrl(WPARAM, LPARAM address) {
  if (IsIconic()) PostMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  BringWindowToTop();
  if (address) OpenUrlInNewTab(reinterpret_cast<LPCWSTR>(address));
  return 1;
}

LRESULT CMainFrame::OnFaviconLoaded(WPARAM, LPARAM lParam) {
  const auto* request = reinterpret_cast<const FaviconRequest*>(lParam);
  if (!request) return 1;
  // The view is only compared: a closed tab's request finds no tab, and a
  // new view at a closed one's address has another serial number.
  CKQIEView* view = request->view;
  const int index = m_tabs.FindTabByView(view);
  if (index < 0 || view->GetSerialNumber() != request->serial) return 1;
  m_tabs.SetTabIcon(view, request->bytes.data(), static_cast<DWORD>(request->bytes.size()));
  if (index == m_tabs.GetCurSel()) {
    SetTabState(index, TABSTATE_LOADING | TABSTATE_ICON, TABSTATE_ICON);
    Invalidate(FALSE);
  }
  return 1;
}
