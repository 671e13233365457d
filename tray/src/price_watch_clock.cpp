#include "price_watch_clock.h"

#include "win/time.h"
#include "win/waits.h"

namespace {

class SystemClock final : public IPriceWatchClock {
 public:
  LONGLONG Now() override {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const LONGLONG ticks = static_cast<LONGLONG>((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    constexpr LONGLONG kTicksPerSecond = 10000000;
    constexpr LONGLONG kSecondsFrom1601To1970 = 11644473600LL;
    return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
  }
  DWORD Wait(HANDLE thread, DWORD milliseconds) override { return WaitForSingleObject(thread, milliseconds); }
};

}  // namespace

IPriceWatchClock& SystemPriceWatchClock() {
  static SystemClock clock;
  return clock;
}
