// What the browser's windows change in the watch list. The file is shared
// with the tray program and other browser windows, so each change re-reads
// it, applies itself to what it read, and saves only when it changed
// something; items are found by address, since identifiers change with
// every re-read.
#include "price_watch_engine_core.h"
#include "shopping/reduce_price_mgr.h"
#include "vxshared/tray_program.h"
#include "win/messages.h"
#include "win/strings.h"
#include "win/time.h"
#include "win/window_objects.h"

namespace {

std::vector<DWORD> AllIds(IReducePriceMgr* manager) {
  std::vector<DWORD> ids(manager->GetCount());
  DWORD got = 0;
  if (ids.empty() || FAILED(manager->GetIds(ids.data(), static_cast<DWORD>(ids.size()), &got))) return {};
  ids.resize(got);
  return ids;
}

// The local wall-clock time of a moment, as the list stores it (never UTC:
// both pop-ups print its date as it stands).
FILETIME LocalWallClock(FILETIME utc) {
  FILETIME local{};
  return ::FileTimeToLocalFileTime(&utc, &local) ? local : utc;
}

}  // namespace

std::vector<DWORD> PriceWatchEngine::IdsWithUrl(LPCWSTR url) {
  std::vector<DWORD> found;
  for (DWORD id : AllIds(m_manager)) {
    ReducePriceItem* item = nullptr;
    if (SUCCEEDED(m_manager->GetItem(id, &item)) && item && ::StrCmpIW(item->Url, url) == 0) found.push_back(id);
  }
  return found;
}

bool PriceWatchEngine::SaveAndAnnounce() {
  if (FAILED(m_manager->Save())) return false;
  if (HWND tray = ::FindWindowW(kTrayWindowClass, nullptr)) ::PostMessageW(tray, WM_WATCHLIST_CHANGED, 0, 0);
  return true;
}

bool PriceWatchEngine::AddWatch(double wishedPrice, ReducePriceItem* record) {
  if (!m_manager || !record) return false;
  record->AddedTime = LocalWallClock(m_clock.UtcNow());
  EngineLockHold hold(m_watchLock);
  m_manager->Load();
  // The address watched again replaces what was watched before.
  for (DWORD id : IdsWithUrl(record->Url)) m_manager->RemoveItem(id);
  const DWORD id = m_manager->AddItem(record);
  m_manager->SetBasePrice(id, wishedPrice);
  return SaveAndAnnounce();
}

bool PriceWatchEngine::RemoveWatch(LPCWSTR url) {
  if (!m_manager || !url) return false;
  EngineLockHold hold(m_watchLock);
  m_manager->Load();
  const std::vector<DWORD> ids = IdsWithUrl(url);
  if (ids.empty()) return false;
  for (DWORD id : ids) m_manager->RemoveItem(id);
  return SaveAndAnnounce();
}

void PriceWatchEngine::LoadWatchList(std::vector<ReducePriceItem>* rows) {
  if (!rows) return;
  rows->clear();
  if (!m_manager) return;
  EngineLockHold hold(m_watchLock);
  m_manager->Load();
  for (DWORD id : AllIds(m_manager)) {
    ReducePriceItem* item = nullptr;
    if (SUCCEEDED(m_manager->GetItem(id, &item)) && item) rows->push_back(*item);
  }
}

bool PriceWatchEngine::MovePriceDropThreshold(LPCWSTR url, double shownPrice) {
  if (!m_manager || !url) return false;
  EngineLockHold hold(m_watchLock);
  m_manager->Load();
  bool moved = false;
  for (DWORD id : IdsWithUrl(url)) {
    ReducePriceItem* item = nullptr;
    if (FAILED(m_manager->GetItem(id, &item)) || !item || !(item->BasePrice > shownPrice)) continue;
    // The file holds the price before the fall; the threshold's move makes
    // the shown price the former price too.
    item->CurrentPrice = shownPrice;
    m_manager->SetBasePrice(id, shownPrice);
    moved = true;
  }
  return moved && SaveAndAnnounce();
}

bool PriceWatchEngine::CopyWatchItem(DWORD id, ReducePriceItem* copy) {
  if (!m_manager || !copy) return false;
  EngineLockHold hold(m_watchLock);
  ReducePriceItem* item = nullptr;
  if (FAILED(m_manager->GetItem(id, &item)) || !item) return false;
  // The copy keeps the price the check found, which only this process
  // knows; the item must still be in the file, where another program may
  // have removed it since.
  const ReducePriceItem found = *item;
  m_manager->Load();
  const std::vector<DWORD> stillWatched = IdsWithUrl(found.Url);
  if (stillWatched.empty()) return false;
  *copy = found;
  copy->Id = stillWatched.front();
  return true;
}

DWORD PriceWatchEngine::GetWatchCount() {
  if (!m_manager) return 0;
  EngineLockHold hold(m_watchLock);
  return m_manager->GetCount();
}
