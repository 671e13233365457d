#pragma once
// What the main window and the check worker share, and the operations on it
// that either side performs.
//
// Lifetime: the worker is never stopped; it runs until the process is
// terminated. So the context (with its queue and locks) must stay where it
// is, untouched, until then: the program keeps it in storage that is never
// freed. Its destructor exists for tests, which end their worker first.
//
// Locks: the program lock and the notice queue's lock are never held
// together; the watch-list manager's own lock comes after either.
// - The program lock guards the watch list's live records against each
//   other's threads: the worker holds it while it reads a record through
//   GetItem, copies it and writes its BasePrice, and while it reloads the
//   list; the main thread holds it around RemoveItem and every Save. It also
//   guards the worker's manager reference and the list's file identity.
// - The notice queue's lock also guards the callback pointer: the worker
//   reads it and calls it under that lock, so clearing it under that lock
//   (at exit) means no call comes afterwards.
// The reload flags are taken and cleared with one atomic exchange.
#include "notice_queue.h"
#include "price_watch_clock.h"
#include "scoped_lock.h"
#include "shopping/reduce_price_mgr.h"
#include "watch_list_identity.h"
#include "win/types.h"

struct IEngineCallBack;

struct PriceWatchContext {
  explicit PriceWatchContext(IPriceWatchClock& clock = SystemPriceWatchClock()) : clock(clock) {}
  ~PriceWatchContext();
  PriceWatchContext(const PriceWatchContext&) = delete;
  PriceWatchContext& operator=(const PriceWatchContext&) = delete;

  HANDLE thread = nullptr;             // the worker; stored before it runs
  IReducePriceMgr* manager = nullptr;  // the worker's reference (program lock)
  IEngineCallBack* callback = nullptr;  // the main window (notice queue's lock)
  LONG reloadInterval = 0;             // WM_PRICE_SETTINGS_CHANGED came
  LONG reloadList = 0;                 // WM_WATCHLIST_CHANGED came
  NoticeQueue notices;
  CriticalSection programLock;
  WatchListIdentity listIdentity;      // the file the list was read from or saved to (program lock)
  IPriceWatchClock& clock;
};

// The message handlers' part: only flags, which the worker reads at its next wake.
void RequestIntervalReload(PriceWatchContext& context);
void RequestListReload(PriceWatchContext& context);

// Sets (or, with null, clears) the main window's callback under the queue's lock.
void SetEngineCallBack(PriceWatchContext& context, IEngineCallBack* callback);

// Creates "Vendrix.CReducePriceMgr" into *out under the program lock. The
// first creation in a process loads the file, so the file's identity is
// taken before it, unless one was taken already. False when it fails.
bool CreateWatchListManager(PriceWatchContext& context, IReducePriceMgr** out);
// The worker's reference, created when it has none yet; null on failure.
// Worker thread only.
IReducePriceMgr* EnsureWorkerManager(PriceWatchContext& context);
// Reads the file again into the worker's manager, taking its identity
// first. Worker thread only.
void ReloadWatchList(PriceWatchContext& context);
// Removes an item from the list under the program lock.
void RemoveWatchedItem(PriceWatchContext& context, IReducePriceMgr* manager, DWORD id);
// Saves through the worker's reference unless someone else saved the file
// since the list was read (or a reload of it is pending): the newer file
// wins, as the reload would have made it win. True when saved.
bool SaveWatchList(PriceWatchContext& context);

// Starts the check worker unless one was started: created suspended, its
// handle stored, then resumed. False when the thread cannot be made.
bool StartPriceWatch(PriceWatchContext& context);

// The main window's part of the end: no notice reaches it any more, then the
// list is saved. The worker, its manager reference, the queue and the locks
// stay as they are: the worker may be in the middle of a check and goes on
// until the process is terminated.
void ReleasePriceWatchContext(PriceWatchContext& context);
