#pragma once
// The monitors as the layer sees them now: from Qt's screens, or the layout a
// test put in their place (OverrideMonitorsForTesting).
#include <string>
#include <vector>

#include "win/geometry.h"

namespace quorla {

struct MonitorRecord {
  RECT monitor;
  RECT work;
  std::u16string name;
};

// The primary monitor first; empty when the display has no screen.
std::vector<MonitorRecord> CurrentMonitors();

}  // namespace quorla
