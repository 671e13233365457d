#include "check_schedule.h"

bool IsCheckDue(LONGLONG now, DWORD last, DWORD intervalMinutes) {
  if (now < 0) return false;
  if (static_cast<ULONGLONG>(now) >> 32) return true;
  const ULONGLONG due = static_cast<ULONGLONG>(last) + static_cast<ULONGLONG>(intervalMinutes) * 60u;
  return static_cast<ULONGLONG>(now) > due;
}
