// When the browser's check worker checks and when it may show a drop.
#include <gtest/gtest.h>

#include "check_schedule.h"

namespace {

TEST(CheckSchedule, DueAfterTheIntervalOfAtLeastOneMinuteFormedIn64Bits) {
  constexpr ULONGLONG now = 1796846400;
  struct Case {
    const char* name;
    ULONGLONG lastCheck;
    DWORD minutes;
    bool due;
    ULONGLONG lastCheckAfter;
  };
  const Case cases[] = {
      {"never checked", 0, 30, true, 0},
      {"interval passed exactly", now - 1800, 30, true, now - 1800},
      {"one second short", now - 1799, 30, false, now - 1799},
      {"interval 0 counts as one minute: 59 s", now - 59, 0, false, now - 59},
      {"interval 0 counts as one minute: 60 s", now - 60, 0, true, now - 60},
      {"interval 1: 60 s", now - 60, 1, true, now - 60},
      // In 32 bits 71582789 minutes wrap to 44 seconds.
      {"71582789 minutes, 44 s later", now - 44, 71582789, false, now - 44},
      {"71582789 minutes, a year later", now - 31536000, 71582789, false, now - 31536000},
      {"largest interval: 8000 years after 1970", 0, 0xFFFFFFFFu, false, 0},
      {"largest interval, a minute ago", now - 60, 0xFFFFFFFFu, false, now - 60},
      {"a last check in the future counts as now", now + 86400, 1, false, now},
      {"just now", now, 1, false, now},
  };
  for (const Case& c : cases) {
    ULONGLONG lastCheck = c.lastCheck;
    EXPECT_EQ(IsCheckDue(now, lastCheck, c.minutes), c.due) << c.name;
    EXPECT_EQ(lastCheck, c.lastCheckAfter) << c.name;
  }
}

TEST(CheckSchedule, ADropWaitsMoreThanTenSecondsAfterThePopUp) {
  constexpr LONGLONG now = 1796846400;
  struct Case {
    const char* name;
    DWORD lastPopup;
    bool may;
  };
  const Case cases[] = {
      {"no pop-up yet", 0, true},
      {"10 s after", static_cast<DWORD>(now - 10), false},
      {"11 s after", static_cast<DWORD>(now - 11), true},
      {"seen this second", static_cast<DWORD>(now), false},
  };
  for (const Case& c : cases) EXPECT_EQ(MayShowDrop(now, c.lastPopup), c.may) << c.name;
}

}  // namespace
