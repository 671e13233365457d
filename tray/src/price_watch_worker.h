#pragma once
// The check worker: wakes every 60 seconds, reloads the list or the interval
// when the browser asked for it, runs a price check when the interval has
// passed since the last one, and hands every item whose price fell to the
// main window. It runs until the process ends (or its wait reports its own
// thread handle signalled, which only a test's clock does).
#include "price_watch_context.h"
#include "win/types.h"

// The thread entry: COM for the thread, then the loop. Returns 0.
DWORD PriceWatchThreadProc(LPVOID context);
// Returns 0 when it ends; at once when the context holds no thread handle.
DWORD PriceWatchLoop(PriceWatchContext* context);
// One check: 1 when it ran, 0 when it could not (no callback, no manager,
// a failed check or no price fell).
int RunPriceCheck(PriceWatchContext* context);
// For one dropped identifier: copies the live record, moves its BasePrice
// down to its CurrentPrice (PreviousPrice stays), and hands the copy to the
// main window, or frees it when the window has gone. False when the item is
// gone or cannot be copied.
bool HandOverPriceDrop(PriceWatchContext& context, IReducePriceMgr* manager, DWORD id);
