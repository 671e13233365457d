#pragma once
// The watch list of one process: "Vendrix.CReducePriceMgr", one shared
// instance per process, kept in memory and stored in the watch-list file
// "reduceprice.fg" of the user's application-data folder. Any thread may
// call any operation; records returned by GetItem stay where they are until
// that item is removed or the list is reloaded.
#include "shopping/reduce_price_item.h"
#include "win/unknown.h"

class IBinaryBuffer;

QUORLA_DEFINE_GUID(IID_IReducePriceMgr, 0xf7bd7012, 0x9971, 0x4fbe, 0xad, 0x40, 0xdb, 0xd4, 0x86, 0x29, 0x2a, 0xa7);

struct IReducePriceMgr : IUnknown {
  // Gives the record a new identifier (written into item->Id) and keeps a
  // whole copy of it; 0 for a null item. Does not save.
  virtual DWORD STDMETHODCALLTYPE AddItem(ReducePriceItem* item) = 0;
  // S_OK whether or not the item existed. Does not save.
  virtual HRESULT STDMETHODCALLTYPE RemoveItem(DWORD id) = 0;
  virtual DWORD STDMETHODCALLTYPE GetCount() = 0;
  // The identifiers in ascending order, at most max of them; *got (when not
  // null) gets how many. E_FAIL for null ids.
  virtual HRESULT STDMETHODCALLTYPE GetIds(DWORD* ids, DWORD max, DWORD* got) = 0;
  // *out points at the list's own record. E_FAIL for a null out or an
  // unknown id (out untouched).
  virtual HRESULT STDMETHODCALLTYPE GetItem(DWORD id, ReducePriceItem** out) = 0;
  // BasePrice := price, PreviousPrice := CurrentPrice. E_FAIL for an unknown
  // id. Does not save.
  virtual HRESULT STDMETHODCALLTYPE SetBasePrice(DWORD id, double price) = 0;
  // Downloads every watched page again and reports the items whose price
  // fell below their base price.
  virtual HRESULT STDMETHODCALLTYPE CheckPrices(IBinaryBuffer** dropped) = 0;
  // S_OK when some item's address equals url without regard to case.
  virtual HRESULT STDMETHODCALLTYPE FindUrl(LPCWSTR url) = 0;
  // Writes the whole list to the file (an empty list deletes the file). The
  // file is replaced whole or not at all: E_FAIL, with the previous file
  // untouched, when it cannot be written completely or there is no path.
  virtual HRESULT STDMETHODCALLTYPE Save() = 0;
  // Replaces the list with the file's records, numbered anew. S_OK always.
  virtual HRESULT STDMETHODCALLTYPE Load() = 0;

 protected:
  ~IReducePriceMgr() = default;
};
QUORLA_INTERFACE_ID(IReducePriceMgr, IID_IReducePriceMgr);
