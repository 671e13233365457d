#pragma once
// The browser's price engine: the process's page parser and watch list,
// a parse worker that turns loaded product pages into offers, and a check
// worker that runs the browser's own price checks while the tray program
// is absent. It reaches the user-interface thread only by posting to the
// main window: WM_PRICE_PARSED (5424, lParam the view) and WM_PRICE_DROP
// (5425, wParam the item's id); and it tells the tray program's window
// WM_WATCHLIST_CHANGED (2259) after every change it saved.
//
// One engine per process (CreatePriceWatchEngine, process-wide object 3).
// The free functions below act on it and do nothing (false, 0, empty) while
// there is none. They are called on the user-interface thread.
//
// The watch list is shared with other processes (the tray program, other
// browser windows), so every change first reads the file again, applies
// itself to what it read, and saves only when it changed something. Reading
// renumbers the items: an identifier is good only until the next change or
// check, which is why items are changed by address and handed out as
// copies.
#include <vector>

#include "shopping/reduce_price_item.h"
#include "win/types.h"

class PriceWatchEngine;

// Builds the process's engine (parser, watch list, both workers); a second
// call does nothing.
void CreatePriceWatchEngine();
// The ordinary exit's teardown: stops both workers, then lets go of the
// engine. A worker that did not end keeps the engine's state alive until it
// does.
void DestroyPriceWatchEngine();
// The process's engine; null before CreatePriceWatchEngine and after
// DestroyPriceWatchEngine.
PriceWatchEngine* ProcessPriceWatchEngine();

// The main window gives its handle and its price-drop pop-up's once both
// exist. Until then the workers post nothing and the check worker checks
// nothing. The check worker paces its pop-ups by the visibility of popup.
void SetPriceWatchWindows(HWND mainWindow, HWND popup);

// The close path: asks both workers to end and waits at most 2000 ms for
// each. A worker that has not ended keeps running (the process ends right
// after); its handle is closed. Saves nothing: every change was saved when
// it was made. S_OK.
HRESULT StopPriceWatchWorkers();

// Watches the item: stamps AddedTime with the local wall-clock time, re-reads
// the list, removes every item with the record's address (any letter case),
// adds the record with the wished price as its threshold (the record gets
// the new Id), saves and tells the tray program. False when nothing could be
// saved or there is no engine.
bool AddWatch(double wishedPrice, ReducePriceItem* record);

// Re-reads the list and removes every item with the address (any letter
// case); saves and tells the tray program only when one was found. True when
// something was removed and saved.
bool RemoveWatch(LPCWSTR url);

// Re-reads the list and gives copies of its items in ascending identifier
// order (oldest first).
void LoadWatchList(std::vector<ReducePriceItem>* rows);

// The pop-up shows a price fall to shownPrice: re-reads the list and, for
// every item with the address whose threshold is above shownPrice, sets
// CurrentPrice and then the threshold (and so PreviousPrice) to shownPrice;
// saves and tells the tray program when one changed. True when saved.
bool MovePriceDropThreshold(LPCWSTR url, double shownPrice);

// A copy of the item with the identifier, taken under the engine's lock,
// as the last check left it; false (copy untouched) when there is none or
// when the list, read again, no longer holds its address (another program
// removed it). The copy carries the identifier the item has after that
// re-read.
bool CopyWatchItem(DWORD id, ReducePriceItem* copy);

// How many items the list holds now.
DWORD GetWatchCount();
