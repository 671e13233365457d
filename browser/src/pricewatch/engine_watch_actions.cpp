#include "watch_actions.h"

#include "price_watch_engine.h"
#include "price_watch_hooks.h"

namespace {

// Every call goes to the process's price engine, which re-reads the watch
// list before each change, saves it and tells the tray program.
class EngineActions : public WatchActions {
 public:
  DWORD WatchedCount() override { return GetWatchCount(); }
  void AddWatch(double price, ReducePriceItem* record) override { ::AddWatch(price, record); }
  void ForgetView(CKQIEView* view) override { ::ForgetView(view); }
  void RemoveWatch(LPCWSTR url) override { ::RemoveWatch(url); }
  std::vector<ReducePriceItem> WatchList() override {
    std::vector<ReducePriceItem> rows;
    LoadWatchList(&rows);
    return rows;
  }
  void MoveThreshold(const ReducePriceItem& shown) override { MovePriceDropThreshold(shown.Url, shown.CurrentPrice); }
};

}  // namespace

WatchActions& EngineWatchActions() {
  static EngineActions actions;
  return actions;
}
