#pragma once
// What the main window and the browser views ask of the browser's price
// watch: the price engine's queue and records, the offer bar, the price-drop
// pop-up, the watch-list dialog and the settings dialog. Without a price
// engine in the process (tests of the windows) the engine's part does
// nothing: no page is queued, no record is ever parsed. All of them are
// called on the user-interface thread.
#include "afx/string.h"
#include "win/types.h"

class CKQIEView;
class CWnd;
struct ReducePriceItem;

// Queues the live page of view for parsing, unless its address is watched
// already.
void QueueParse(CKQIEView* view);
// Forgets the view's parsed record and every page of it still queued. The
// main window calls it before it queues the view again and before it
// deletes the view.
void ForgetView(CKQIEView* view);
// Copies the last record parsed from the view's page into record; false,
// record untouched, when there is none.
bool GetParsedRecord(CKQIEView* view, ReducePriceItem* record);
// A copy of the watch list's item with the identifier; false, copy
// untouched, when there is none (identifiers change whenever the list is
// read again).
bool GetWatchItem(DWORD id, ReducePriceItem* copy);
// The main window gives the price engine its handle and the price-drop
// pop-up's, once both exist; until then the engine's workers post nothing
// and check nothing.
void GivePriceWatchWindows(CWnd* mainWindow);

// The offer bar and the price-drop pop-up, made with the main window (the
// bar its child, the pop-up a top-level window of its own).
void CreatePriceWatchWindows(CWnd* mainWindow);
// The offer bar's window for the main window's layout; null while it does
// not exist.
CWnd* PriceNotifyWindow();
// Offers to watch the product parsed from the page of view.
void ShowPriceNotify(const ReducePriceItem& record, CKQIEView* view);
void HidePriceNotify();
// The address of the item the offer bar holds; empty when it holds none.
CString PriceNotifyItemUrl();

// The price-drop pop-up's window; null while it does not exist.
CWnd* PriceDropPopupWindow();
// Shows the watch list's item whose price fell in the price-drop pop-up.
void ShowPriceDropPopup(ReducePriceItem* item);

// The watch-list dialog (command 1021) and the settings dialog (the
// caption's settings link), each modal over the main window.
void ShowWatchListDialog(CWnd* mainWindow);
void ShowSettingsDialog(CWnd* mainWindow);
