#include "reduce_price_mgr.h"

#include <new>

#include "watch_list_file.h"
#include "shopping/watch_list_path.h"
#include "win/strings.h"

CReducePriceMgr::CReducePriceMgr() { Load(); }

CReducePriceMgr::~CReducePriceMgr() { Save(); }

DWORD CReducePriceMgr::AddItem(ReducePriceItem* item) {
  if (!item) return 0;
  CriticalSectionLock lock(m_listLock.get());
  DWORD id = ++m_counter;
  item->Id = id;
  try {
    m_items.insert_or_assign(id, *item);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return id;
}

HRESULT CReducePriceMgr::RemoveItem(DWORD id) {
  CriticalSectionLock lock(m_listLock.get());
  m_items.erase(id);
  return S_OK;
}

DWORD CReducePriceMgr::GetCount() {
  CriticalSectionLock lock(m_listLock.get());
  return static_cast<DWORD>(m_items.size());
}

HRESULT CReducePriceMgr::GetIds(DWORD* ids, DWORD max, DWORD* got) {
  if (!ids) return E_FAIL;
  CriticalSectionLock lock(m_listLock.get());
  DWORD n = 0;
  for (auto it = m_items.begin(); it != m_items.end() && n < max; ++it) ids[n++] = it->first;
  if (got) *got = n;
  return S_OK;
}

HRESULT CReducePriceMgr::GetItem(DWORD id, ReducePriceItem** out) {
  if (!out) return E_FAIL;
  CriticalSectionLock lock(m_listLock.get());
  auto it = m_items.find(id);
  if (it == m_items.end()) return E_FAIL;
  *out = &it->second;
  return S_OK;
}

HRESULT CReducePriceMgr::SetBasePrice(DWORD id, double price) {
  CriticalSectionLock lock(m_listLock.get());
  auto it = m_items.find(id);
  if (it == m_items.end()) return E_FAIL;
  it->second.BasePrice = price;
  it->second.PreviousPrice = it->second.CurrentPrice;
  return S_OK;
}

HRESULT CReducePriceMgr::FindUrl(LPCWSTR url) {
  if (!url) return E_FAIL;
  CriticalSectionLock lock(m_listLock.get());
  for (const auto& [id, item] : m_items) {
    if (StrCmpIW(item.Url, url) == 0) return S_OK;
  }
  return E_FAIL;
}

std::vector<ReducePriceItem> CReducePriceMgr::Snapshot() {
  CriticalSectionLock lock(m_listLock.get());
  std::vector<ReducePriceItem> records;
  records.reserve(m_items.size());
  for (const auto& [id, item] : m_items) records.push_back(item);
  return records;
}

HRESULT CReducePriceMgr::Save() {
  std::u16string path = WatchListPath();
  if (path.empty()) return E_FAIL;
  CriticalSectionLock saving(m_saveLock.get());
  std::vector<ReducePriceItem> records;
  try {
    records = Snapshot();
  } catch (const std::bad_alloc&) {
    return E_FAIL;
  }
  if (records.empty()) {
    DeleteWatchListFile(path);
    return S_OK;
  }
  return WriteWatchListFile(path, records) ? S_OK : E_FAIL;
}

HRESULT CReducePriceMgr::Load() {
  WatchListRecords loaded;
  try {
    loaded = ReadWatchListFile(WatchListPath());
  } catch (const std::bad_alloc&) {
    loaded.clear();
  }
  CriticalSectionLock lock(m_listLock.get());
  m_items.clear();
  // Move the records' nodes over under their new identifiers; nothing is
  // copied while the list is locked.
  while (!loaded.empty()) {
    auto node = loaded.extract(loaded.begin());
    DWORD id = ++m_counter;
    node.key() = id;
    node.mapped().Id = id;
    m_items.insert(std::move(node));
  }
  return S_OK;
}
