// Finding monitors by point and describing them, over the current monitor
// list. A handle is the monitor's place in that list plus one.
#include <algorithm>
#include <cstring>

#include "monitor_layout.h"
#include "win/last_error.h"
#include "win/monitors.h"

namespace {

HMONITOR HandleOf(size_t index) { return reinterpret_cast<HMONITOR>(static_cast<ULONG_PTR>(index + 1)); }

bool Holds(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Squared distance from the point to the nearest pixel of the rectangle.
long long DistanceSquared(const RECT& r, POINT p) {
  auto axis = [](long long v, long long low, long long high) -> long long {
    if (high <= low) return 0;
    if (v < low) return low - v;
    if (v >= high) return v - (high - 1);
    return 0;
  };
  long long dx = axis(p.x, r.left, r.right), dy = axis(p.y, r.top, r.bottom);
  return dx * dx + dy * dy;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
  std::vector<quorla::MonitorRecord> monitors = quorla::CurrentMonitors();
  for (size_t i = 0; i < monitors.size(); ++i)
    if (Holds(monitors[i].monitor, point)) return HandleOf(i);
  if (monitors.empty()) return nullptr;
  if (flags == MONITOR_DEFAULTTOPRIMARY) return HandleOf(0);
  if (flags != MONITOR_DEFAULTTONEAREST) return nullptr;
  size_t nearest = 0;
  for (size_t i = 1; i < monitors.size(); ++i)
    if (DistanceSquared(monitors[i].monitor, point) < DistanceSquared(monitors[nearest].monitor, point)) nearest = i;
  return HandleOf(nearest);
}

BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
  if (!info || (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXW))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<quorla::MonitorRecord> monitors = quorla::CurrentMonitors();
  auto index = reinterpret_cast<ULONG_PTR>(monitor);
  if (index < 1 || index > monitors.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const quorla::MonitorRecord& m = monitors[index - 1];
  info->rcMonitor = m.monitor;
  info->rcWork = m.work;
  info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
  if (info->cbSize == sizeof(MONITORINFOEXW)) {
    auto* extended = static_cast<MONITORINFOEXW*>(info);
    size_t length = std::min<size_t>(m.name.size(), CCHDEVICENAME - 1);
    std::memcpy(extended->szDevice, m.name.data(), length * sizeof(WCHAR));
    extended->szDevice[length] = 0;
  }
  return TRUE;
}
