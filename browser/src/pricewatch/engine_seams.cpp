#include "engine_seams.h"

#include <ctime>

#include "vxshared/browser_config.h"
#include "win/time.h"

namespace {

class SystemClock final : public IEngineClock {
 public:
  LONGLONG Now() override { return static_cast<LONGLONG>(std::time(nullptr)); }
  FILETIME UtcNow() override {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return now;
  }
  void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
};

class BrowserSettings final : public IEngineSettings {
 public:
  DWORD ReadCheckTimeLong() override { return ::ReadCheckTimeLong(); }
  ULONGLONG ReadLastCheckTime() override { return ::ReadLastCheckTime(); }
  void WriteLastCheckTime(ULONGLONG seconds) override { ::WriteLastCheckTime(seconds); }
};

}  // namespace

IEngineClock& SystemEngineClock() {
  static SystemClock clock;
  return clock;
}

IEngineSettings& BrowserEngineSettings() {
  static BrowserSettings settings;
  return settings;
}
