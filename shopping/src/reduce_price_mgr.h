#pragma once
// CReducePriceMgr: the watch list of the process (one shared instance). It
// owns the records (an ordered map from identifier to record, so a record
// never moves while it is in the list) and the identifier counter, which only
// ever grows. One critical section serialises every operation on the list;
// file reading and writing happen outside it (a second lock keeps saves in
// order), and the price check never holds it while waiting for downloads.
// Pointers handed out by GetItem are valid until that item is removed or
// the list is reloaded, on whatever thread that happens.
#include <map>
#include <vector>

#include "critical_section_lock.h"
#include "framework/com_object.h"
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

  OwnedCriticalSection m_listLock;  // the list and the counter
  OwnedCriticalSection m_saveLock;  // one save at a time, in the order they began
  std::map<DWORD, ReducePriceItem> m_items;
  DWORD m_counter = 0;
};
