#pragma once
// What the check worker asks of the world besides the watch list: the time,
// and its sleep between two wakes. The program uses the system's; tests put
// in their own, so that a wake need not take a minute.
#include "win/types.h"

class IPriceWatchClock {
 public:
  // Seconds since 1 January 1970 (UTC).
  virtual LONGLONG Now() = 0;
  // Waits up to milliseconds on the worker's thread handle, as
  // WaitForSingleObject does; WAIT_OBJECT_0 ends the worker.
  virtual DWORD Wait(HANDLE thread, DWORD milliseconds) = 0;

 protected:
  ~IPriceWatchClock() = default;
};

// The system's clock and waits; one shared object, any thread.
IPriceWatchClock& SystemPriceWatchClock();
