#include "vxshared/watch_date.h"

#include <cstdio>

int FormatWatchDate(LPWSTR buffer, FILETIME time) {
  if (!buffer) return 0;
  buffer[0] = 0;
  SYSTEMTIME date{};
  if (!FileTimeToSystemTime(&time, &date)) return 0;
  char text[80];
  std::snprintf(text, sizeof text, "%d-%d-%d", date.wYear, date.wMonth, date.wDay);
  int i = 0;
  for (; text[i]; ++i) buffer[i] = static_cast<WCHAR>(text[i]);
  buffer[i] = 0;
  return 1;
}
