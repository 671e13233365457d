#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "window_access.h"
#include "window_test_support.h"

namespace {

using quorla_test::FillWindow;
using quorla_test::PixelOf;
using quorla_test::WindowLog;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// A shown top-level window with nothing left to paint.
HWND ShownWindow(int w, int h, DWORD style = 0) {
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE | style, 10, 10, w, h);
  quorla_test::DrainMessages();
  return hwnd;
}

// Paints the whole client area in one colour inside WM_PAINT.
LRESULT PaintWith(HWND hwnd, COLORREF color, RECT* paintRect = nullptr) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (paintRect) *paintRect = ps.rcPaint;
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  EndPaint(hwnd, &ps);
  return 0;
}

TEST(Painting, GetDcDrawsAtOnceWithoutPaintMessage) {
  WindowLog log;
  HWND hwnd = ShownWindow(60, 40);
  log.Clear();
  FillWindow(hwnd, kRed);
  EXPECT_EQ(PixelOf(hwnd, 5, 5), kRed);
  EXPECT_EQ(PixelOf(hwnd, 59, 39), kRed);
  quorla_test::DrainMessages();
  EXPECT_TRUE(log.Of(hwnd, WM_PAINT).empty());
  // The screen shows the same image.
  QWidget* widget = quorla::WidgetOfWindow(hwnd);
  ASSERT_NE(widget, nullptr);
  QImage shot = widget->grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
  DestroyWindow(hwnd);
}

TEST(Painting, UpdateWindowErasesThenPaintsBeforeReturning) {
  WindowLog log;
  HWND hwnd = ShownWindow(50, 50);
  FillWindow(hwnd, kGreen);
  std::vector<std::string> order;
  log.handlers[WM_ERASEBKGND] = [&](HWND h, UINT m, WPARAM w, LPARAM l) {
    const LRESULT erased = DefWindowProcW(h, m, w, l);
    order.push_back(erased == 1 ? "erase" : "erase answered " + std::to_string(erased));
    return erased;
  };
  log.handlers[WM_PAINT] = [&](HWND h, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    order.push_back("paint");
    RECT half{0, 0, 25, 50};
    HBRUSH brush = CreateSolidBrush(kBlue);
    FillRect(dc, &half, brush);
    DeleteObject(brush);
    EndPaint(h, &ps);
    return 0;
  };
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  EXPECT_EQ(order, (std::vector<std::string>{"erase", "paint"}));
  EXPECT_EQ(PixelOf(hwnd, 10, 10), kBlue);
  EXPECT_EQ(PixelOf(hwnd, 40, 10), GetSysColor(COLOR_WINDOW)) << "the class brush erased the rest";
  RECT update;
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
  DestroyWindow(hwnd);
}

TEST(Painting, TwoInvalidationsGiveOnePaintOverTheirUnion) {
  WindowLog log;
  HWND hwnd = ShownWindow(100, 100);
  FillWindow(hwnd, kGreen);
  log.Clear();
  RECT painted{};
  log.handlers[WM_PAINT] = [&](HWND h, UINT, WPARAM, LPARAM) { return PaintWith(h, kRed, &painted); };
  RECT a{10, 10, 20, 20}, b{50, 60, 70, 80};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  quorla_test::DrainMessages();
  EXPECT_EQ(log.Of(hwnd, WM_PAINT).size(), 1u);
  EXPECT_EQ(painted.left, 10);
  EXPECT_EQ(painted.bottom, 80);
  struct Probe {
    int x, y;
    COLORREF color;
  } probes[] = {{15, 15, kRed}, {55, 65, kRed}, {30, 30, kGreen}, {15, 70, kGreen}, {9, 9, kGreen}};
  for (const Probe& p : probes) EXPECT_EQ(PixelOf(hwnd, p.x, p.y), p.color) << p.x << "," << p.y;
  DestroyWindow(hwnd);
}

TEST(Painting, HiddenWindowsGetNoPaintUntilShown) {
  WindowLog log;
  HWND hwnd = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 30, 30);
  InvalidateRect(hwnd, nullptr, TRUE);
  quorla_test::DrainMessages();
  UpdateWindow(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(log.Of(hwnd, WM_PAINT).empty());
  ShowWindow(hwnd, SW_SHOWNA);
  quorla_test::DrainMessages();
  EXPECT_EQ(log.Of(hwnd, WM_PAINT).size(), 1u);
  EXPECT_EQ(log.Of(hwnd, WM_ERASEBKGND).size(), 1u) << "showing invalidates with erasing";
  DestroyWindow(hwnd);
}

TEST(Painting, RedrawWindowWithUpdateNowPaintsBeforeReturning) {
  WindowLog log;
  HWND hwnd = ShownWindow(40, 40);
  log.handlers[WM_PAINT] = [&](HWND h, UINT, WPARAM, LPARAM) { return PaintWith(h, kBlue); };
  struct Case {
    UINT flags;
    size_t paints;
    size_t erases;
  } cases[] = {{0x105, 1, 1}, {RDW_INVALIDATE, 0, 0}, {RDW_INVALIDATE | RDW_UPDATENOW, 1, 0}};
  for (const Case& c : cases) {
    FillWindow(hwnd, kGreen);
    log.Clear();
    RedrawWindow(hwnd, nullptr, nullptr, c.flags);
    EXPECT_EQ(log.Of(hwnd, WM_PAINT).size(), c.paints) << c.flags;
    EXPECT_EQ(log.Of(hwnd, WM_ERASEBKGND).size(), c.erases) << c.flags;
    EXPECT_EQ(PixelOf(hwnd, 1, 1), c.paints ? kBlue : kGreen) << c.flags;
    quorla_test::DrainMessages();
  }
  DestroyWindow(hwnd);
}

TEST(Painting, TheWindowRegionClipsDrawing) {
  HWND hwnd = ShownWindow(20, 20);
  FillWindow(hwnd, kGreen);
  HRGN region = CreateRectRgn(5, 5, 15, 15);
  ASSERT_TRUE(SetWindowRgn(hwnd, region, FALSE));
  FillWindow(hwnd, kRed);
  EXPECT_EQ(PixelOf(hwnd, 10, 10), kRed);
  EXPECT_EQ(PixelOf(hwnd, 2, 2), kGreen) << "outside the region nothing is drawn";
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, copy), SIMPLEREGION);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 15);
  DeleteObject(copy);
  DestroyWindow(hwnd);  // deletes the region it owns
  EXPECT_FALSE(DeleteObject(region));
}

TEST(Painting, ChildrenDrawIntoTheTopLevelImageAndClipChildrenKeepsThemWhole) {
  struct Case {
    DWORD parentStyle;
    COLORREF underChild;
  } cases[] = {{WS_CLIPCHILDREN, kGreen}, {0, kRed}};
  for (const Case& c : cases) {
    HWND top = ShownWindow(100, 100, c.parentStyle);
    HWND child = quorla_test::MakeChild(top, WS_VISIBLE, 20, 30, 40, 40);
    quorla_test::DrainMessages();
    FillWindow(child, kGreen);
    EXPECT_EQ(PixelOf(top, 25, 35), kGreen) << "the child's pixels are in its top-level window";
    EXPECT_EQ(PixelOf(child, 0, 0), kGreen);
    FillWindow(top, kRed);
    EXPECT_EQ(PixelOf(top, 25, 35), c.underChild);
    EXPECT_EQ(PixelOf(top, 5, 5), kRed);
    DestroyWindow(top);
  }
}

TEST(Painting, AChildReachingOutOfItsTopLevelWindowDrawsItsVisiblePart) {
  HWND top = ShownWindow(100, 100);
  FillWindow(top, kRed);
  HWND child = quorla_test::MakeChild(top, WS_VISIBLE, -10, -20, 50, 50);
  quorla_test::DrainMessages();
  FillWindow(child, kGreen);
  struct Probe {
    HWND hwnd;
    int x, y;
    COLORREF color;
  } probes[] = {{top, 0, 0, kGreen},   {top, 39, 29, kGreen}, {top, 40, 29, kRed}, {top, 39, 30, kRed},
                {child, 10, 20, kGreen}, {child, 49, 49, kGreen}};
  for (const Probe& p : probes) EXPECT_EQ(PixelOf(p.hwnd, p.x, p.y), p.color) << p.x << "," << p.y;
  DestroyWindow(top);
}

}  // namespace
