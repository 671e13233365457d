#pragma once
// What the price watch's window tests share: a recorder standing in for the
// price engine, a host window that records what the windows send and post
// to it, and a watched item to show.
#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "shopping/reduce_price_item.h"
#include "watch_actions.h"

namespace price_watch_test {

class RecordingActions : public WatchActions {
 public:
  struct Added {
    double price;
    std::u16string url;
  };

  DWORD WatchedCount() override { return static_cast<DWORD>(items.size()); }
  void AddWatch(double price, ReducePriceItem* record) override;
  void ForgetView(CKQIEView* view) override { forgotten.push_back(view); }
  void RemoveWatch(LPCWSTR url) override;
  std::vector<ReducePriceItem> WatchList() override;
  void MoveThreshold(const ReducePriceItem& shown) override { moved.push_back(shown); }

  std::vector<ReducePriceItem> items;  // the watch list, oldest first
  std::vector<Added> added;
  std::vector<CKQIEView*> forgotten;
  std::vector<std::u16string> removed;
  std::vector<ReducePriceItem> moved;
  int listReads = 0;
};

struct Received {
  UINT message;
  WPARAM wParam;
  std::u16string text;  // WM_OPEN_ITEM_URL's address, read while it is sent
};

// A shown pop-up at (40, 40), width x height, that records WM_COMMAND,
// WM_OPEN_ITEM_URL and the browser's private messages.
class Host : public CWnd {
 public:
  Host(int width, int height);
  ~Host() override;
  std::vector<Received> received;
  int Count(UINT message, WPARAM wParam) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A product as a parse gives it.
ReducePriceItem MakeItem(const char16_t* url, const char16_t* title, double current);

// Dispatches what is queued, with the framework's pre-translation.
void Pump();
// Pumps for at least ms milliseconds.
void PumpFor(int ms);

}  // namespace price_watch_test
