#pragma once
// CReducePriceMgr: the watch list of the process (one shared instance). It
// owns the records (an ordered map from identifier to record, so a record
// never moves while it is in the list) and the identifier counter, which only
// ever grows. One critical section serialises every operation on the list;
// file reading and writing happen outside it (a second lock keeps saves in
// order), and the price check never holds it while waiting for downloads or
// parsing a page: it looks an item up again by its identifier each time.
// Pointers handed out by GetItem are valid until that item is removed or
// the list is reloaded, on whatever thread that happens.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "critical_section_lock.h"
#include "framework/com_object.h"
#include "kernel/async_result.h"
#include "shopping/html_parser.h"
#include "shopping/reduce_price_mgr.h"

class CReducePriceMgr : public S_COM::CSComObjectRoot<CReducePriceMgr>, public IReducePriceMgr {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CReducePriceMgr)
  S_COM_INTERFACE_ENTRY(IReducePriceMgr)
  S_COM_END_INTERFACE_MAP()

  // Loads the stored list.
  CReducePriceMgr();
  // Stores the list.
  ~CReducePriceMgr();

  DWORD STDMETHODCALLTYPE AddItem(ReducePriceItem* item) override;
  HRESULT STDMETHODCALLTYPE RemoveItem(DWORD id) override;
  DWORD STDMETHODCALLTYPE GetCount() override;
  HRESULT STDMETHODCALLTYPE GetIds(DWORD* ids, DWORD max, DWORD* got) override;
  HRESULT STDMETHODCALLTYPE GetItem(DWORD id, ReducePriceItem** out) override;
  HRESULT STDMETHODCALLTYPE SetBasePrice(DWORD id, double price) override;
  HRESULT STDMETHODCALLTYPE CheckPrices(IBinaryBuffer** dropped) override;
  HRESULT STDMETHODCALLTYPE FindUrl(LPCWSTR url) override;
  HRESULT STDMETHODCALLTYPE Save() override;
  HRESULT STDMETHODCALLTYPE Load() override;

 private:
  // A copy of every record in ascending identifier order, taken under the lock.
  std::vector<ReducePriceItem> Snapshot();

  // The price check's own steps, each under the lock for its own length only.
  // The identifier and address of every item with an address, in ascending
  // identifier order.
  std::vector<std::pair<DWORD, std::u16string>> AddressesToCheck();
  // The address of a listed item; false when the item is gone.
  bool ListedAddress(DWORD id, std::u16string& url);
  // Writes price as the item's CurrentPrice when it lies strictly below the
  // item's BasePrice (a NaN on either side is no drop); false when it does
  // not or the item is gone.
  bool RecordLowerPrice(DWORD id, double price);
  // One completed download of a check: the page read and compared.
  void CheckDownloadedPage(IFAsyncResult* result, IHtmlParser* parser, std::vector<DWORD>& drops);

  OwnedCriticalSection m_listLock;  // the list and the counter
  OwnedCriticalSection m_saveLock;  // one save at a time, in the order they began
  std::map<DWORD, ReducePriceItem> m_items;
  DWORD m_counter = 0;
};
