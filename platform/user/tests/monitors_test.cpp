// Monitors, the work area and screen metrics: over the test screen Qt gives
// offscreen, and over injected layouts of several monitors.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "win/last_error.h"
#include "win/monitors.h"
#include "win/system_metrics.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

using Edges = std::array<LONG, 4>;
Edges EdgesOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A layout for the length of a test.
struct Layout {
  Layout(std::initializer_list<quorla::MonitorArea> areas) {
    std::vector<quorla::MonitorArea> list(areas);
    quorla::OverrideMonitorsForTesting(list.data(), static_cast<int>(list.size()));
  }
  ~Layout() { quorla::OverrideMonitorsForTesting(nullptr, 0); }
};

// 1024 x 768 with a 24-pixel panel at the top, and a 1920 x 1080 monitor to
// its right whose work area is whole.
Layout TwoMonitors() { return Layout{{{0, 0, 1024, 768}, {0, 24, 1024, 768}}, {{1024, 0, 2944, 1080}, {1024, 0, 2944, 1080}}}; }

int Index(HMONITOR monitor) {
  if (!monitor) return 0;
  MONITORINFO info{};
  info.cbSize = sizeof(MONITORINFO);
  if (!GetMonitorInfoW(monitor, &info)) return -1;
  return info.rcMonitor.left == 0 ? 1 : 2;
}

TEST(Monitors, OffscreenScreenIsOneMonitorWithItsWorkArea) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  HMONITOR primary = MonitorFromPoint(POINT{work.left, work.top}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(primary, nullptr);
  MONITORINFO info{};
  info.cbSize = sizeof(MONITORINFO);
  ASSERT_TRUE(GetMonitorInfoW(primary, &info));
  EXPECT_EQ(EdgesOf(info.rcWork), EdgesOf(work));
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), info.rcMonitor.right - info.rcMonitor.left);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), info.rcMonitor.bottom - info.rcMonitor.top);
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_GE(GetSystemMetrics(SM_CMONITORS), 1);
  EXPECT_EQ(MonitorFromPoint(POINT{info.rcMonitor.right + 5000, 0}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(POINT{info.rcMonitor.right + 5000, 0}, MONITOR_DEFAULTTONEAREST), primary);
}

TEST(Monitors, PointsFindTheirMonitorByFlags) {
  Layout layout = TwoMonitors();
  struct Case {
    POINT point;
    int onNull, onPrimary, onNearest;  // 0: none, 1: the first monitor, 2: the second
  } cases[] = {
      {{10, 10}, 1, 1, 1},
      {{0, 0}, 1, 1, 1},
      {{1023, 767}, 1, 1, 1},
      {{1024, 0}, 2, 2, 2},       // right edges are outside
      {{1024, 768}, 2, 2, 2},     // below the first, on the second
      {{1500, 1079}, 2, 2, 2},
      {{-50, 300}, 0, 1, 1},      // left of everything
      {{3000, 500}, 0, 1, 2},     // right of everything
      {{500, 900}, 0, 1, 1},      // below the first monitor
      {{1030, 1200}, 0, 1, 2},    // below the second
      {{1000, 1000}, 0, 1, 2},    // 24 right, 232 down of the first: the second is nearer
      {{2944, 1080}, 0, 1, 2},
      {{10, 24}, 1, 1, 1},        // under the panel still counts
  };
  for (const Case& c : cases) {
    std::string at = std::to_string(c.point.x) + "," + std::to_string(c.point.y);
    EXPECT_EQ(Index(MonitorFromPoint(c.point, MONITOR_DEFAULTTONULL)), c.onNull) << at;
    EXPECT_EQ(Index(MonitorFromPoint(c.point, MONITOR_DEFAULTTOPRIMARY)), c.onPrimary) << at;
    EXPECT_EQ(Index(MonitorFromPoint(c.point, MONITOR_DEFAULTTONEAREST)), c.onNearest) << at;
  }
}

TEST(Monitors, RectanglesAndWindowsFindTheMonitorTheyMostlyCover) {
  Layout layout = TwoMonitors();
  struct Case {
    const char* what;
    RECT rect;
    int onNull, onNearest;
  } cases[] = {
      {"inside the first", {10, 10, 200, 200}, 1, 1},
      {"across, mostly on the second", {900, 100, 1300, 200}, 2, 2},
      {"across, mostly on the first", {0, 0, 1100, 100}, 1, 1},
      {"equal shares: the first listed", {974, 0, 1074, 100}, 1, 1},
      {"left of everything", {-300, 10, -100, 100}, 0, 1},
      {"below the second", {1500, 1200, 1600, 1300}, 0, 2},
      {"empty, on the second", {1500, 10, 1500, 10}, 2, 2},
      {"empty, nowhere", {-50, -50, -60, -60}, 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Index(MonitorFromRect(&c.rect, MONITOR_DEFAULTTONULL)), c.onNull) << c.what;
    EXPECT_EQ(Index(MonitorFromRect(&c.rect, MONITOR_DEFAULTTONEAREST)), c.onNearest) << c.what;
    EXPECT_EQ(Index(MonitorFromRect(&c.rect, MONITOR_DEFAULTTOPRIMARY)), c.onNull ? c.onNull : 1) << c.what;
  }
  EXPECT_EQ(MonitorFromRect(nullptr, MONITOR_DEFAULTTONEAREST), nullptr);

  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"QuorlaMonitorTest";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"QuorlaMonitorTest", u"", WS_POPUP, 1500, 100, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Index(MonitorFromWindow(window, MONITOR_DEFAULTTONULL)), 2);
  MoveWindow(window, 800, 100, 400, 100, FALSE);
  EXPECT_EQ(Index(MonitorFromWindow(window, MONITOR_DEFAULTTONULL)), 1);
  DestroyWindow(window);
  EXPECT_EQ(Index(MonitorFromWindow(window, MONITOR_DEFAULTTONULL)), 0);
  EXPECT_EQ(Index(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)), 1);
}

TEST(Monitors, InfoOfEachMonitor) {
  Layout layout = TwoMonitors();
  HMONITOR first = MonitorFromPoint(POINT{1, 1}, MONITOR_DEFAULTTONULL);
  HMONITOR second = MonitorFromPoint(POINT{2000, 1}, MONITOR_DEFAULTTONULL);
  MONITORINFOEXW info{};
  info.cbSize = sizeof(MONITORINFOEXW);
  ASSERT_TRUE(GetMonitorInfoW(first, &info));
  EXPECT_EQ(EdgesOf(info.rcMonitor), (Edges{0, 0, 1024, 768}));
  EXPECT_EQ(EdgesOf(info.rcWork), (Edges{0, 24, 1024, 768}));
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  EXPECT_EQ(std::u16string(info.szDevice), u"TEST1");
  ASSERT_TRUE(GetMonitorInfoW(second, &info));
  EXPECT_EQ(EdgesOf(info.rcWork), (Edges{1024, 0, 2944, 1080}));
  EXPECT_EQ(info.dwFlags, 0u);
  EXPECT_EQ(std::u16string(info.szDevice), u"TEST2");

  struct Bad {
    const char* what;
    HMONITOR monitor;
    DWORD size;
  } bad[] = {
      {"no monitor", nullptr, sizeof(MONITORINFO)},
      {"past the last", reinterpret_cast<HMONITOR>(3), sizeof(MONITORINFO)},
      {"size 0", first, 0},
      {"size between the two forms", first, sizeof(MONITORINFO) + 2},
  };
  for (const Bad& b : bad) {
    MONITORINFO plain{};
    plain.cbSize = b.size;
    SetLastError(0);
    EXPECT_FALSE(GetMonitorInfoW(b.monitor, &plain)) << b.what;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << b.what;
  }
  EXPECT_FALSE(GetMonitorInfoW(first, nullptr));
}

TEST(Monitors, WorkAreaAndMetricsFollowTheLayout) {
  {
    Layout layout = TwoMonitors();
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(EdgesOf(work), (Edges{0, 24, 1024, 768}));
    struct Case {
      int index, value;
    } cases[] = {{SM_CXSCREEN, 1024},         {SM_CYSCREEN, 768},         {SM_XVIRTUALSCREEN, 0},
                 {SM_YVIRTUALSCREEN, 0},      {SM_CXVIRTUALSCREEN, 2944}, {SM_CYVIRTUALSCREEN, 1080},
                 {SM_CMONITORS, 2},           {SM_CXICON, 32},            {SM_CYICON, 32},
                 {SM_CXSMICON, 16},           {SM_CYSMICON, 16},          {SM_CXDOUBLECLK, 4},
                 {SM_CYDOUBLECLK, 4},         {-1, 0},                    {9999, 0}};
    for (const Case& c : cases) EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.index;
  }
  {
    // A primary monitor to the right of a second one: the virtual screen starts left of 0.
    Layout layout{{{0, 0, 800, 600}, {0, 0, 800, 570}}, {{-1280, -200, 0, 824}, {-1280, -200, 0, 824}}};
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(EdgesOf(work), (Edges{0, 0, 800, 570}));
    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1280);
    EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), -200);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2080);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  }
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  RECT r{};
  EXPECT_FALSE(SystemParametersInfoW(0x0072, 0, &r, 0));
}

}  // namespace
