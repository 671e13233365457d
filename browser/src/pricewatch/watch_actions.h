#pragma once
// What the price watch's windows ask of the price engine. The windows take
// it as an interface, so that they run without the engine in their tests;
// the program's binding (EngineWatchActions) hands every call to the
// engine, which keeps the watch-list file and the tray program up to date.
#include <vector>

#include "win/types.h"

class CKQIEView;
struct ReducePriceItem;

class WatchActions {
 public:
  virtual ~WatchActions() = default;

  // How many goods are watched now.
  virtual DWORD WatchedCount() = 0;
  // Watches the record's product with price as its threshold; the record is
  // stamped with the time and given its identifier.
  virtual void AddWatch(double price, ReducePriceItem* record) = 0;
  // Forgets the view's parsed record and its queued pages.
  virtual void ForgetView(CKQIEView* view) = 0;
  // Ends every watch of the address.
  virtual void RemoveWatch(LPCWSTR url) = 0;
  // Copies of the watched items, oldest first (ascending identifiers).
  virtual std::vector<ReducePriceItem> WatchList() = 0;
  // The pop-up has shown the item's fall to its current price: the
  // threshold moves there, so the item is reported again only when its
  // price falls further.
  virtual void MoveThreshold(const ReducePriceItem& shown) = 0;
};

// The binding to the browser's price engine.
WatchActions& EngineWatchActions();
