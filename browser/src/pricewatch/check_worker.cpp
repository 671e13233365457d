// The check worker: once a second it looks whether the tray program runs
// (then it leaves the checks to it), hands the smallest pending drop to the
// main window while the pop-up is not showing, and runs a price check when
// the interval has passed.
#include <cstring>
#include <set>

#include "browser_ids.h"
#include "check_schedule.h"
#include "kernel/binary_buffer.h"
#include "price_watch_engine_core.h"
#include "shopping/reduce_price_mgr.h"
#include "vxshared/tray_program.h"
#include "win/com.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/mutexes.h"
#include "win/window_state.h"

struct CheckWorkerState {
  std::set<DWORD> pending;  // drops not shown yet
  DWORD lastPopup = 0;      // low 32 bits of the time the pop-up was last seen or shown
  ULONGLONG lastCheck = 0;  // seconds since 1970
};

namespace {

bool TrayProgramRuns() {
  HANDLE mutex = ::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kTrayMutexName);
  if (!mutex) return false;
  ::CloseHandle(mutex);
  return true;
}

}  // namespace

void PriceWatchEngine::CheckWorkerLoop() {
  CheckWorkerState state;
  state.lastCheck = m_settings.ReadLastCheckTime();
  ::CoInitialize(nullptr);
  while (!Stopping()) {
    m_clock.Sleep(kCheckPassMs);
    if (Stopping()) break;
    CheckPass(state);
  }
  ::CoUninitialize();
}

void PriceWatchEngine::CheckPass(CheckWorkerState& state) {
  // A browser that only hands its request to another one never gets here.
  const HWND mainWindow = MainWindow();
  if (!mainWindow) return;
  if (TrayProgramRuns()) {
    state.pending.clear();
    return;
  }
  const LONGLONG now = m_clock.Now();
  const HWND popup = m_popup.load();
  if (popup && ::IsWindowVisible(popup)) {
    state.lastPopup = static_cast<DWORD>(now);
  } else if (!state.pending.empty() && MayShowDrop(now, state.lastPopup)) {
    const DWORD smallest = *state.pending.begin();
    ::PostMessageW(mainWindow, WM_PRICE_DROP, smallest, 0);
    state.pending.erase(state.pending.begin());
    state.lastPopup = static_cast<DWORD>(now);
  }
  if (!m_manager) return;
  const ULONGLONG checkTime = now < 0 ? 0 : static_cast<ULONGLONG>(now);
  if (!IsCheckDue(checkTime, state.lastCheck, m_settings.ReadCheckTimeLong())) return;
  state.lastCheck = checkTime;
  m_settings.WriteLastCheckTime(checkTime);
  RunCheck(state);
}

void PriceWatchEngine::RunCheck(CheckWorkerState& state) {
  {
    // What other programs saved since counts; the drops still pending name
    // items of the list being replaced and come back with this check.
    EngineLockHold hold(m_watchLock);
    m_manager->Load();
  }
  state.pending.clear();
  IBinaryBuffer* dropped = nullptr;
  const HRESULT hr = m_manager->CheckPrices(&dropped);
  if (SUCCEEDED(hr) && dropped && dropped->GetSize() >= sizeof(DWORD)) {
    const char* bytes = dropped->GetBuffer();
    for (unsigned at = 0; at + sizeof(DWORD) <= dropped->GetSize(); at += sizeof(DWORD)) {
      DWORD id = 0;
      std::memcpy(&id, bytes + at, sizeof id);
      state.pending.insert(id);
    }
  }
  if (dropped) dropped->Release();
}
