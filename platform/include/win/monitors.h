#pragma once
// Monitors: the screens of the display, each with its whole area and its
// work area (the part panels leave free). Read from the windowing system at
// each call, so they follow screens that come and go. An HMONITOR names a
// monitor by its place in the current list (the primary first); a handle
// kept across a change of screens may name another monitor or none.
// Call from the user-interface thread.
#include "win/geometry.h"

QUORLA_DECLARE_HANDLE(HMONITOR);

constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

constexpr DWORD MONITORINFOF_PRIMARY = 1;
constexpr int CCHDEVICENAME = 32;

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;

struct MONITORINFOEXW : MONITORINFO {
  WCHAR szDevice[CCHDEVICENAME];
};

// The monitor holding the point; else, by the flags, none, the primary, or
// the one whose area lies nearest to the point.
WINAPI_EXPORT HMONITOR MonitorFromPoint(POINT point, DWORD flags);
// The monitor sharing the largest area with the rectangle (an empty one
// counts as its top-left point); else, by the flags, none, the primary, or
// the one nearest to it.
WINAPI_EXPORT HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags);
// MonitorFromRect of the window's rectangle; a window that is gone counts
// as lying on no monitor.
WINAPI_EXPORT HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
// cbSize must be sizeof(MONITORINFO) or sizeof(MONITORINFOEXW) (which also
// gets the screen's name); FALSE for another size or a monitor that is gone.
WINAPI_EXPORT BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info);

namespace quorla {
// A monitor for OverrideMonitorsForTesting: its whole area and its work area.
struct MonitorArea {
  RECT monitor;
  RECT work;
};
// Makes every monitor and work-area call (and the screen metrics) see these
// monitors, the first one primary, instead of the display's, until it is
// called with count 0. For tests, which run without a real screen layout.
WINAPI_EXPORT void OverrideMonitorsForTesting(const MonitorArea* monitors, int count);
}  // namespace quorla
