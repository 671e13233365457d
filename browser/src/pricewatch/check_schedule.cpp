#include "check_schedule.h"

bool IsCheckDue(ULONGLONG now, ULONGLONG& lastCheck, DWORD intervalMinutes) {
  if (lastCheck > now) lastCheck = now;
  const ULONGLONG minutes = intervalMinutes < kLeastCheckMinutes ? kLeastCheckMinutes : intervalMinutes;
  return now - lastCheck >= minutes * 60;
}

bool MayShowDrop(LONGLONG now, DWORD lastPopup) {
  return now - static_cast<LONGLONG>(static_cast<ULONGLONG>(lastPopup)) > kPopupSpacingSeconds;
}
