// When the check worker runs a check: strictly more than the interval after
// the last check, with no interval large enough to wrap into "due".
#include <gtest/gtest.h>

#include "check_schedule.h"

namespace {

TEST(CheckSchedule, DueOnlyWhenStrictlyMoreThanTheIntervalHasPassed) {
  constexpr LONGLONG kToday = 1700000000;  // November 2023
  constexpr DWORD kLast = static_cast<DWORD>(kToday);
  struct Case {
    const char* name;
    LONGLONG now;
    DWORD last;
    DWORD interval;
    bool due;
  };
  const Case cases[] = {
      {"30 minutes exactly", kToday + 1800, kLast, 30, false},
      {"30 minutes and a second", kToday + 1801, kLast, 30, true},
      {"no last check yet", kToday, 0, 30, true},
      {"no last check, huge interval", kToday, 0, 0xFFFFFFFFu, false},
      {"interval 0 a second later", kToday + 1, kLast, 0, true},
      {"interval 0 in the same second", kToday, kLast, 0, false},
      {"clock set back before the last check", kToday - 100, kLast, 0, false},
      // 71,582,789 minutes are 4,294,967,340 seconds: 44 once wrapped in 32 bits.
      {"interval whose seconds wrap 32 bits", kToday + 45, kLast, 71582789, false},
      // With this clock the sum alone passes 2^32 from 43,249,455 minutes.
      {"interval whose sum with the last check wraps", kToday + 60, kLast, 45000000, false},
      {"interval just short of wrapping the sum", kToday + 2594967241LL, kLast, 43249454, true},
      {"largest interval", kToday + 3600, kLast, 0xFFFFFFFFu, false},
      {"largest interval, long after", 0xFFFFFFFFLL, 0, 0xFFFFFFFFu, false},
      {"a time before 1970", -5, 0, 0, false},
      {"a time past 2106", 0x100000000LL, 0xFFFFFFF0u, 0xFFFFFFFFu, true},
      {"last check in the last second of 32 bits", 0xFFFFFFFFLL, 0xFFFFFFFEu, 0, true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsCheckDue(c.now, c.last, c.interval), c.due) << c.name;
}

}  // namespace
