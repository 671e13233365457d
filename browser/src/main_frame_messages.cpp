// What the price engine's workers and the watch-list windows send the main
// window.
#include "browser_ids.h"
#include "main_frame.h"
#include "price_watch_hooks.h"

LRESULT CMainFrame::OnPriceDrop(WPARAM id, LPARAM) {
  if (ReducePriceItem* item = GetWatchItem(static_cast<DWORD>(id))) ShowPriceDropPopup(item);
  return 1;
}
