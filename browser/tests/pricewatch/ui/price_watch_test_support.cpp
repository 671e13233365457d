#include "price_watch_test_support.h"

#include <chrono>
#include <thread>

#include "win/strings.h"

namespace price_watch_test {

namespace {

void Copy(WCHAR* to, size_t size, const char16_t* from) {
  size_t i = 0;
  for (; from && from[i] && i + 1 < size; ++i) to[i] = from[i];
  to[i] = 0;
}

}  // namespace

void RecordingActions::AddWatch(double price, ReducePriceItem* record) {
  added.push_back({price, record->Url});
  ReducePriceItem item = *record;
  item.BasePrice = price;
  item.Id = items.empty() ? 1 : items.back().Id + 1;
  record->Id = item.Id;
  items.push_back(item);
}

void RecordingActions::RemoveWatch(LPCWSTR url) {
  removed.push_back(url);
  std::erase_if(items, [url](const ReducePriceItem& item) { return std::u16string(item.Url) == url; });
}

std::vector<ReducePriceItem> RecordingActions::WatchList() {
  ++listReads;
  return items;
}

ReducePriceItem MakeItem(const char16_t* url, const char16_t* title, double current) {
  ReducePriceItem item;
  InitReducePriceItem(&item);
  Copy(item.Url, std::size(item.Url), url);
  Copy(item.Title, std::size(item.Title), title);
  Copy(item.SiteName, std::size(item.SiteName), u"测试商城");
  item.CurrentPrice = current;
  item.PreviousPrice = current;
  item.BasePrice = current;
  return item;
}

CRect PlaceIn(CWnd& parent, CWnd& child) {
  CRect rect;
  child.GetWindowRect(&rect);
  parent.ScreenToClient(&rect);
  return rect;
}

void PumpFor(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  Pump();
}

}  // namespace price_watch_test
