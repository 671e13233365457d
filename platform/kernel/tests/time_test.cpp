#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include "win/time.h"

namespace {

ULONGLONG Ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

TEST(Time, SystemAndFileTimesConvertBothWays) {
  struct Case {
    SYSTEMTIME system;
    ULONGLONG ticks;
  } cases[] = {
      {{1601, 1, 1, 1, 0, 0, 0, 0}, 0ULL},
      {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},
      {{2012, 3, 3, 7, 13, 45, 30, 250}, 129756015302500000ULL},
      {{2000, 2, 2, 29, 23, 59, 59, 999}, 125963423999990000ULL},
  };
  for (const Case& c : cases) {
    FILETIME file;
    ASSERT_TRUE(SystemTimeToFileTime(&c.system, &file));
    EXPECT_EQ(Ticks(file), c.ticks) << c.system.wYear;
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(back.wYear, c.system.wYear);
    EXPECT_EQ(back.wMonth, c.system.wMonth);
    EXPECT_EQ(back.wDay, c.system.wDay);
    EXPECT_EQ(back.wDayOfWeek, c.system.wDayOfWeek);
    EXPECT_EQ(back.wHour, c.system.wHour);
    EXPECT_EQ(back.wSecond, c.system.wSecond);
    EXPECT_EQ(back.wMilliseconds, c.system.wMilliseconds);
  }
}

TEST(Time, OutOfRangeDatesAreRefused) {
  SYSTEMTIME bad[] = {{2012, 13, 0, 1, 0, 0, 0, 0}, {2011, 2, 0, 29, 0, 0, 0, 0}, {2012, 1, 0, 1, 24, 0, 0, 0},
                      {1600, 1, 0, 1, 0, 0, 0, 0},  {2012, 1, 0, 0, 0, 0, 0, 0}};
  for (const SYSTEMTIME& s : bad) {
    FILETIME file;
    EXPECT_FALSE(SystemTimeToFileTime(&s, &file)) << s.wYear << "-" << s.wMonth << "-" << s.wDay;
  }
}

TEST(Time, LocalTimesFollowTheHostZone) {
  setenv("TZ", "Asia/Shanghai", 1);
  tzset();
  SYSTEMTIME noon = {2012, 3, 0, 7, 12, 0, 0, 0};
  FILETIME utc, local, back;
  ASSERT_TRUE(SystemTimeToFileTime(&noon, &utc));
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(Ticks(local) - Ticks(utc), 8ULL * 3600 * 10000000);
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
  EXPECT_EQ(Ticks(back), Ticks(utc));

  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_GE(now.wYear, 2024);
  EXPECT_LE(now.wHour, 23);
}

TEST(Time, TickCountAdvancesWithSleep) {
  ULONGLONG before = GetTickCount64();
  Sleep(30);
  EXPECT_GE(GetTickCount64() - before, 29u);
}

}  // namespace
