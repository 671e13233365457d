#include <time.h>

#include <cerrno>

#include "win/last_error.h"
#include "win/time.h"

namespace {

constexpr LONGLONG kTicksPerSecond = 10000000;
// 1601-01-01 to 1970-01-01 in seconds.
constexpr LONGLONG kEpochDifference = 11644473600LL;

ULONGLONG ToTicks(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}
FILETIME FromTicks(ULONGLONG ticks) {
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Days from 1601-01-01 to the given date (proleptic Gregorian).
LONGLONG DaysSince1601(int year, int month, int day) {
  LONGLONG y = year - 1601;
  LONGLONG days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

SYSTEMTIME Broken(const struct tm& tm, long nanoseconds) {
  SYSTEMTIME s;
  s.wYear = static_cast<WORD>(tm.tm_year + 1900);
  s.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  s.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  s.wDay = static_cast<WORD>(tm.tm_mday);
  s.wHour = static_cast<WORD>(tm.tm_hour);
  s.wMinute = static_cast<WORD>(tm.tm_min);
  s.wSecond = static_cast<WORD>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
  s.wMilliseconds = static_cast<WORD>(nanoseconds / 1000000);
  return s;
}

LONGLONG LocalOffsetSeconds(time_t at) {
  struct tm local;
  if (!localtime_r(&at, &local)) return 0;
  return local.tm_gmtoff;
}

}  // namespace

void GetSystemTime(LPSYSTEMTIME time) {
  if (!time) return;
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm tm;
  gmtime_r(&now.tv_sec, &tm);
  *time = Broken(tm, now.tv_nsec);
}

void GetLocalTime(LPSYSTEMTIME time) {
  if (!time) return;
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm tm;
  localtime_r(&now.tv_sec, &tm);
  *time = Broken(tm, now.tv_nsec);
}

void GetSystemTimeAsFileTime(LPFILETIME time) {
  if (!time) return;
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  *time = FromTicks(static_cast<ULONGLONG>((now.tv_sec + kEpochDifference) * kTicksPerSecond + now.tv_nsec / 100));
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* system, LPFILETIME file) {
  if (!system || !file) return FALSE;
  const SYSTEMTIME& s = *system;
  if (s.wYear < 1601 || s.wYear > 30827 || s.wMonth < 1 || s.wMonth > 12 || s.wDay < 1 ||
      s.wDay > DaysInMonth(s.wYear, s.wMonth) || s.wHour > 23 || s.wMinute > 59 || s.wSecond > 59 ||
      s.wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  LONGLONG seconds = DaysSince1601(s.wYear, s.wMonth, s.wDay) * 86400 + s.wHour * 3600 + s.wMinute * 60 + s.wSecond;
  *file = FromTicks(static_cast<ULONGLONG>(seconds * kTicksPerSecond + s.wMilliseconds * 10000LL));
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* file, LPSYSTEMTIME system) {
  if (!file || !system) return FALSE;
  ULONGLONG ticks = ToTicks(*file);
  if (ticks > 0x7FFFFFFFFFFFFFFFULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  LONGLONG seconds = static_cast<LONGLONG>(ticks / kTicksPerSecond);
  LONGLONG days = seconds / 86400;
  LONGLONG rest = seconds % 86400;
  SYSTEMTIME s{};
  s.wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
  int year = 1601;
  while (true) {
    int length = IsLeap(year) ? 366 : 365;
    if (days < length) break;
    days -= length;
    ++year;
  }
  int month = 1;
  while (days >= DaysInMonth(year, month)) days -= DaysInMonth(year, month++);
  s.wYear = static_cast<WORD>(year);
  s.wMonth = static_cast<WORD>(month);
  s.wDay = static_cast<WORD>(days + 1);
  s.wHour = static_cast<WORD>(rest / 3600);
  s.wMinute = static_cast<WORD>(rest % 3600 / 60);
  s.wSecond = static_cast<WORD>(rest % 60);
  s.wMilliseconds = static_cast<WORD>(ticks % kTicksPerSecond / 10000);
  *system = s;
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local) {
  if (!utc || !local) return FALSE;
  ULONGLONG ticks = ToTicks(*utc);
  time_t at = static_cast<time_t>(static_cast<LONGLONG>(ticks / kTicksPerSecond) - kEpochDifference);
  *local = FromTicks(ticks + LocalOffsetSeconds(at) * kTicksPerSecond);
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc) {
  if (!local || !utc) return FALSE;
  ULONGLONG ticks = ToTicks(*local);
  time_t at = static_cast<time_t>(static_cast<LONGLONG>(ticks / kTicksPerSecond) - kEpochDifference);
  *utc = FromTicks(ticks - LocalOffsetSeconds(at - LocalOffsetSeconds(at)) * kTicksPerSecond);
  return TRUE;
}

ULONGLONG GetTickCount64() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<ULONGLONG>(now.tv_sec) * 1000 + static_cast<ULONGLONG>(now.tv_nsec / 1000000);
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

void Sleep(DWORD milliseconds) {
  timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}
