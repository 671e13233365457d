// The price watch is not part of the browser yet: nothing is queued, parsed
// or shown.
#include "price_watch_hooks.h"

void QueueParse(CKQIEView*) {}
void ForgetView(CKQIEView*) {}
bool GetParsedRecord(CKQIEView*, ReducePriceItem*) { return false; }
ReducePriceItem* GetWatchItem(DWORD) { return nullptr; }

void CreatePriceWatchWindows(CWnd*) {}
CWnd* PriceNotifyWindow() { return nullptr; }
void ShowPriceNotify(const ReducePriceItem&, CKQIEView*) {}
void HidePriceNotify() {}
CString PriceNotifyItemUrl() { return CString(); }

void ShowPriceDropPopup(ReducePriceItem*) {}

void ShowWatchListDialog(CWnd*) {}
void ShowSettingsDialog(CWnd*) {}
