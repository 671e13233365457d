// Finding monitors by point, rectangle or window and describing them, over
// the current monitor list. A handle is the monitor's place in that list
// plus one.
#include <algorithm>
#include <cstring>

#include "monitor_layout.h"
#include "win/last_error.h"
#include "win/monitors.h"
#include "win/window_state.h"

namespace {

HMONITOR HandleOf(size_t index) { return reinterpret_cast<HMONITOR>(static_cast<ULONG_PTR>(index + 1)); }

bool Holds(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

long long Span(long long low, long long high) { return high > low ? high - low : 0; }

long long OverlapArea(const RECT& a, const RECT& b) {
  return Span(std::max(a.left, b.left), std::min(a.right, b.right)) *
         Span(std::max(a.top, b.top), std::min(a.bottom, b.bottom));
}

// Squared distance between the nearest pixels of two rectangles.
long long Distance(const RECT& a, const RECT& b) {
  auto gap = [](long long lowA, long long highA, long long lowB, long long highB) -> long long {
    if (highB <= lowA) return lowA - highB + 1;  // b wholly before a
    if (highA <= lowB) return lowB - highA + 1;  // b wholly after a
    return 0;
  };
  long long dx = gap(a.left, a.right, b.left, b.right), dy = gap(a.top, a.bottom, b.top, b.bottom);
  return dx * dx + dy * dy;
}

}  // namespace

HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags) {
  std::vector<quorla::MonitorRecord> monitors = quorla::CurrentMonitors();
  if (monitors.empty()) return nullptr;
  if (rect) {
    POINT corner{rect->left, rect->top};
    bool empty = rect->right <= rect->left || rect->bottom <= rect->top;
    long long bestArea = 0;
    size_t best = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
      const RECT& m = monitors[i].monitor;
      long long area = empty ? (Holds(m, corner) ? 1 : 0) : OverlapArea(m, *rect);
      if (area > bestArea) bestArea = area, best = i;
    }
    if (bestArea > 0) return HandleOf(best);
  }
  if (flags == MONITOR_DEFAULTTOPRIMARY) return HandleOf(0);
  if (flags != MONITOR_DEFAULTTONEAREST || !rect) return nullptr;
  size_t nearest = 0;
  for (size_t i = 1; i < monitors.size(); ++i)
    if (Distance(monitors[i].monitor, *rect) < Distance(monitors[nearest].monitor, *rect)) nearest = i;
  return HandleOf(nearest);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
  RECT pixel{point.x, point.y, point.x + 1, point.y + 1};
  // The right and bottom edges of the screen's coordinates have no pixel after them.
  if (point.x == INT32_MAX || point.y == INT32_MAX) pixel = RECT{point.x, point.y, point.x, point.y};
  return MonitorFromRect(&pixel, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT rect{};
  return MonitorFromRect(GetWindowRect(hwnd, &rect) ? &rect : nullptr, flags);
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
