#include "price_watch_worker.h"

#include <cstring>
#include <new>

#include "check_schedule.h"
#include "engine_callback.h"
#include "kernel/binary_buffer.h"
#include "vxshared/tray_config.h"
#include "win/com.h"
#include "win/interlocked.h"
#include "win/waits.h"

namespace {

constexpr DWORD kWakeMilliseconds = 60000;

bool HasCallBack(PriceWatchContext& context) {
  ScopedLock lock(context.notices.Lock());
  return context.callback != nullptr;
}

}  // namespace

DWORD PriceWatchThreadProc(LPVOID parameter) {
  CoInitialize(nullptr);
  PriceWatchLoop(static_cast<PriceWatchContext*>(parameter));
  CoUninitialize();
  return 0;
}

DWORD PriceWatchLoop(PriceWatchContext* context) {
  if (!context || !context->thread) return 0;
  EnsureWorkerManager(*context);  // a failure is tried again at the check
  CTrayConfig config;
  config.InitConfigPath();
  DWORD interval = config.ReadCheckTimeLong();
  DWORD last = static_cast<DWORD>(config.ReadLastCheckTime());
  IPriceWatchClock& clock = context->clock;
  while (clock.Wait(context->thread, kWakeMilliseconds) != WAIT_OBJECT_0) {
    if (InterlockedExchange(&context->reloadList, 0)) ReloadWatchList(*context);
    if (InterlockedExchange(&context->reloadInterval, 0)) interval = config.ReadCheckTimeLong();
    if (!IsCheckDue(clock.Now(), last, interval)) continue;
    RunPriceCheck(context);
    // Only the low 32 bits are kept, as the interval test reads them.
    config.WriteLastCheckTime(static_cast<DWORD>(clock.Now()));
    last = static_cast<DWORD>(clock.Now());
  }
  return 0;
}

int RunPriceCheck(PriceWatchContext* context) {
  if (!HasCallBack(*context)) return 0;
  IReducePriceMgr* manager = EnsureWorkerManager(*context);
  if (!manager) return 0;
  IBinaryBuffer* dropped = nullptr;
  const HRESULT checked = manager->CheckPrices(&dropped);  // may take minutes
  if (FAILED(checked) || !dropped) {
    if (dropped) dropped->Release();
    return 0;
  }
  const unsigned count = dropped->GetSize() / sizeof(DWORD);
  const char* ids = dropped->GetBuffer();
  for (unsigned i = 0; ids && i < count; ++i) {
    DWORD id;
    std::memcpy(&id, ids + i * sizeof(DWORD), sizeof id);
    HandOverPriceDrop(*context, manager, id);
  }
  dropped->Release();
  return 1;
}

bool HandOverPriceDrop(PriceWatchContext& context, IReducePriceMgr* manager, DWORD id) {
  ReducePriceItem* copy = nullptr;
  {
    ScopedLock lock(context.programLock);
    ReducePriceItem* live = nullptr;
    if (FAILED(manager->GetItem(id, &live)) || !live) return false;
    copy = new (std::nothrow) ReducePriceItem;
    if (!copy) return false;
    InitReducePriceItem(copy);
    std::memcpy(static_cast<void*>(copy), live, sizeof *copy);
    // The next check reports the item only when it falls further.
    live->BasePrice = live->CurrentPrice;
  }
  ScopedLock lock(context.notices.Lock());
  if (context.callback)
    context.callback->OnEngineEvent(ENGINE_EVENT_PRICE_DROP, copy, 0, 0);
  else
    delete copy;
  return true;
}
