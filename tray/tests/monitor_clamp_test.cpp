// Where the menus open: x moves into the nearest monitor's work area only
// when the point lies on no monitor; y is never touched.
#include <gtest/gtest.h>

#include "monitor_clamp.h"
#include "win/monitors.h"

namespace {

TEST(ClampToMonitorX, PointsOffEveryMonitorMoveIntoTheNearestWorkArea) {
  // A 1024 x 768 screen with a panel on its left, and a taller one to its
  // right with a panel at its top.
  const quorla::MonitorArea monitors[] = {
      {{0, 0, 1024, 768}, {40, 0, 1024, 768}},
      {{1024, 0, 2304, 1024}, {1024, 30, 2304, 1024}},
  };
  quorla::OverrideMonitorsForTesting(monitors, 2);
  struct Case {
    const char* name;
    int x, y;
    int clamped;
  };
  const Case cases[] = {
      {"on the first monitor", 500, 500, 500},
      {"on the first monitor's panel", 10, 500, 10},
      {"on the second monitor", 2000, 900, 2000},
      {"left of everything", -50, 300, 40},
      {"right of everything", 3000, 300, 2304},
      {"below the first, above nothing", 500, 900, 500},
      {"below and left of everything", -300, 2000, 40},
      {"below the second", 2500, 1500, 2304},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampToMonitorX(c.x, c.y), c.clamped) << c.name;
  quorla::OverrideMonitorsForTesting(nullptr, 0);
}

}  // namespace
