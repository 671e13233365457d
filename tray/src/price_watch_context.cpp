#include "price_watch_context.h"

#include "engine_callback.h"
#include "framework/module_loader.h"
#include "price_watch_worker.h"
#include "shopping/watch_list_path.h"
#include "win/handles.h"
#include "win/interlocked.h"
#include "win/threads.h"

PriceWatchContext::~PriceWatchContext() {
  Notice notice;
  while (notices.Take(notice)) delete static_cast<ReducePriceItem*>(notice.item);
}

void RequestIntervalReload(PriceWatchContext& context) { InterlockedExchange(&context.reloadInterval, 1); }

void RequestListReload(PriceWatchContext& context) { InterlockedExchange(&context.reloadList, 1); }

void SetEngineCallBack(PriceWatchContext& context, IEngineCallBack* callback) {
  ScopedLock lock(context.notices.Lock());
  context.callback = callback;
}

bool CreateWatchListManager(PriceWatchContext& context, IReducePriceMgr** out) {
  if (!out) return false;
  *out = nullptr;
  ScopedLock lock(context.programLock);
  const WatchListIdentity before = ReadWatchListIdentity(WatchListPath());
  if (FAILED(CreateObject<IReducePriceMgr>(u"Vendrix.CReducePriceMgr", out)) || !*out) {
    *out = nullptr;
    return false;
  }
  if (context.listIdentity.state == WatchListIdentity::kUnknown) context.listIdentity = before;
  return true;
}

IReducePriceMgr* EnsureWorkerManager(PriceWatchContext& context) {
  if (!context.manager) CreateWatchListManager(context, &context.manager);
  return context.manager;
}

void ReloadWatchList(PriceWatchContext& context) {
  ScopedLock lock(context.programLock);
  if (!context.manager) return;
  context.listIdentity = ReadWatchListIdentity(WatchListPath());
  context.manager->Load();
}

void RemoveWatchedItem(PriceWatchContext& context, IReducePriceMgr* manager, DWORD id) {
  if (!manager) return;
  ScopedLock lock(context.programLock);
  manager->RemoveItem(id);
}

bool SaveWatchList(PriceWatchContext& context) {
  ScopedLock lock(context.programLock);
  if (!context.manager) return false;  // the worker never took its reference
  if (InterlockedCompareExchange(&context.reloadList, 0, 0) != 0) return false;
  const std::u16string path = WatchListPath();
  if (!ReadWatchListIdentity(path).SameAs(context.listIdentity)) return false;
  if (FAILED(context.manager->Save())) return false;
  context.listIdentity = ReadWatchListIdentity(path);
  return true;
}

bool StartPriceWatch(PriceWatchContext& context) {
  if (context.thread) return true;
  HANDLE thread = CreateThread(nullptr, 0, PriceWatchThreadProc, &context, CREATE_SUSPENDED, nullptr);
  if (!thread) return false;
  context.thread = thread;
  ResumeThread(thread);
  return true;
}

void ReleasePriceWatchContext(PriceWatchContext& context) {
  SetEngineCallBack(context, nullptr);
  SaveWatchList(context);
}
