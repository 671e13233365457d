// System metrics: fixed sizes of the platform's defaults, and the screen
// sizes of the current monitors.
#include <algorithm>

#include "monitor_layout.h"
#include "win/last_error.h"
#include "win/system_metrics.h"

namespace {

RECT VirtualScreen(const std::vector<quorla::MonitorRecord>& monitors) {
  if (monitors.empty()) return RECT{0, 0, 0, 0};
  RECT box = monitors.front().monitor;
  for (const quorla::MonitorRecord& m : monitors) {
    box.left = std::min(box.left, m.monitor.left);
    box.top = std::min(box.top, m.monitor.top);
    box.right = std::max(box.right, m.monitor.right);
    box.bottom = std::max(box.bottom, m.monitor.bottom);
  }
  return box;
}

int ScreenMetric(int index) {
  std::vector<quorla::MonitorRecord> monitors = quorla::CurrentMonitors();
  if (index == SM_CMONITORS) return static_cast<int>(monitors.size());
  if (monitors.empty()) return 0;
  const RECT& primary = monitors.front().monitor;
  RECT all = VirtualScreen(monitors);
  switch (index) {
    case SM_CXSCREEN:
      return primary.right - primary.left;
    case SM_CYSCREEN:
      return primary.bottom - primary.top;
    case SM_XVIRTUALSCREEN:
      return all.left;
    case SM_YVIRTUALSCREEN:
      return all.top;
    case SM_CXVIRTUALSCREEN:
      return all.right - all.left;
    case SM_CYVIRTUALSCREEN:
      return all.bottom - all.top;
    default:
      return 0;
  }
}

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXICON:
    case SM_CYICON:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 17;
    case SM_CXSCREEN:
    case SM_CYSCREEN:
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CMONITORS:
      return ScreenMetric(index);
    default:
      return 0;
  }
}

BOOL SystemParametersInfoW(UINT action, UINT, PVOID parameter, UINT) {
  if (action != SPI_GETWORKAREA || !parameter) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<quorla::MonitorRecord> monitors = quorla::CurrentMonitors();
  if (monitors.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *static_cast<RECT*>(parameter) = monitors.front().work;
  return TRUE;
}
