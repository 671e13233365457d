#pragma once
// Times: FILETIME counts 100-nanosecond intervals since 1 January 1601 (UTC,
// or local for "local file times"); SYSTEMTIME is broken down. Local time
// follows the host's time zone.
#include "win/types.h"

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
using LPFILETIME = FILETIME*;

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

WINAPI_EXPORT void GetSystemTime(LPSYSTEMTIME time);
WINAPI_EXPORT void GetLocalTime(LPSYSTEMTIME time);
WINAPI_EXPORT void GetSystemTimeAsFileTime(LPFILETIME time);
// FALSE for a date or time out of range (month 13, 30 February, hour 24 ...).
WINAPI_EXPORT BOOL SystemTimeToFileTime(const SYSTEMTIME* system, LPFILETIME file);
WINAPI_EXPORT BOOL FileTimeToSystemTime(const FILETIME* file, LPSYSTEMTIME system);
WINAPI_EXPORT BOOL FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local);
WINAPI_EXPORT BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc);
// Milliseconds since the host started; wraps after 49.7 days.
WINAPI_EXPORT DWORD GetTickCount();
WINAPI_EXPORT ULONGLONG GetTickCount64();
WINAPI_EXPORT void Sleep(DWORD milliseconds);
