#pragma once
// What the price engine asks of the world besides the watch list: the time
// (for its checks, and to stamp a new watch), the check worker's sleep
// between two passes, and the schedule kept in the settings file. The program uses the system's clock and its process-wide
// settings; tests put in their own, so that hours pass in a moment.
#include "win/time.h"
#include "win/types.h"

class IEngineClock {
 public:
  // Seconds since 1 January 1970 (UTC).
  virtual LONGLONG Now() = 0;
  // The same moment as a FILETIME (UTC), to the clock's finest step.
  virtual FILETIME UtcNow() = 0;
  // The check worker's pause between two passes.
  virtual void Sleep(DWORD milliseconds) = 0;

 protected:
  ~IEngineClock() = default;
};

class IEngineSettings {
 public:
  // Minutes between two checks, as stored ("CheckTimeLong").
  virtual DWORD ReadCheckTimeLong() = 0;
  // Seconds since 1970 of the last check ("LastCheckTime").
  virtual ULONGLONG ReadLastCheckTime() = 0;
  virtual void WriteLastCheckTime(ULONGLONG seconds) = 0;

 protected:
  ~IEngineSettings() = default;
};

// The system's clock; one shared object, any thread.
IEngineClock& SystemEngineClock();
// The browser's process-wide settings file (InitConfigPath has run).
IEngineSettings& BrowserEngineSettings();
