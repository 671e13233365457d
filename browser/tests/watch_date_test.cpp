#include <gtest/gtest.h>

#include <string>

#include "vxshared/watch_date.h"

namespace {

FILETIME FileTimeOf(WORD year, WORD month, WORD day, WORD hour = 0) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  date.wHour = hour;
  FILETIME time{};
  EXPECT_TRUE(SystemTimeToFileTime(&date, &time));
  return time;
}

TEST(WatchDate, PrintsYearMonthDayWithoutLeadingZeros) {
  struct Case {
    FILETIME time;
    std::u16string text;
  };
  const Case cases[] = {
      {FileTimeOf(2012, 3, 7), u"2012-3-7"},
      {FileTimeOf(2012, 3, 7, 23), u"2012-3-7"},  // no time-zone shift of the stored local time
      {FileTimeOf(1999, 12, 31), u"1999-12-31"},
      {FileTimeOf(2024, 2, 29), u"2024-2-29"},
      {FILETIME{0, 0}, u"1601-1-1"},
  };
  for (const Case& c : cases) {
    char16_t buffer[80];
    EXPECT_EQ(FormatWatchDate(buffer, c.time), 1);
    EXPECT_EQ(std::u16string(buffer), c.text);
  }
}

TEST(WatchDate, NullBufferAndTimesPastTheCalendarGiveZero) {
  EXPECT_EQ(FormatWatchDate(nullptr, FileTimeOf(2012, 3, 7)), 0);
  char16_t buffer[80] = {u'x', 0};
  EXPECT_EQ(FormatWatchDate(buffer, FILETIME{0xFFFFFFFFu, 0xFFFFFFFFu}), 0);
  EXPECT_EQ(std::u16string(buffer), u"");
}

}  // namespace
