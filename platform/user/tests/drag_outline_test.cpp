#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <optional>
#include <QWidget>

#include "drag_outline_overlay.h"
#include "window_test_support.h"
#include "win/blit.h"
#include "win/dib.h"
#include "win/last_error.h"
#include "win/regions.h"

namespace {

HBRUSH HalftoneBrush() {
  WORD rows[8];
  for (int i = 0; i < 8; ++i) rows[i] = static_cast<WORD>(0x5555 << (i & 1));
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);
  return brush;
}

// The outline of a rectangle, `width` pixels thick.
QRegion Frame(const RECT& r, int width) {
  QRect outer(r.left, r.top, r.right - r.left, r.bottom - r.top);
  return QRegion(outer).subtracted(QRegion(outer.adjusted(width, width, -width, -width)));
}

HRGN FrameRegion(const RECT& r, int width) {
  HRGN outer = CreateRectRgn(r.left, r.top, r.right, r.bottom);
  HRGN inner = CreateRectRgn(r.left + width, r.top + width, r.right - width, r.bottom - width);
  CombineRgn(outer, outer, inner, RGN_XOR);
  DeleteObject(inner);
  return outer;
}

// Moves a drag outline as the framework's drag-rectangle drawing does: the
// new frame and the last one XORed into one clipping region, whose box is
// inverted with the half-tone brush.
void DrawDragRect(HDC dc, const RECT& rect, const RECT* last, HBRUSH brush) {
  HRGN update = FrameRegion(rect, 2);
  if (last) {
    HRGN previous = FrameRegion(*last, 2);
    CombineRgn(update, update, previous, RGN_XOR);
    DeleteObject(previous);
  }
  SelectClipRgn(dc, update);
  RECT box;
  GetClipBox(dc, &box);
  HGDIOBJ old = SelectObject(dc, brush);
  PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
  SelectObject(dc, old);
  SelectClipRgn(dc, nullptr);
  DeleteObject(update);
}

QWidget* OverlayWidget() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowTitle() == QStringLiteral("drag outline")) return w;
  return nullptr;
}

enum class ScreenDcKind { kGetDcNull, kDesktopWindowDc, kGetDcExLocked };

HDC OpenScreen(ScreenDcKind kind) {
  switch (kind) {
    case ScreenDcKind::kGetDcNull:
      return GetDC(nullptr);
    case ScreenDcKind::kDesktopWindowDc:
      return GetWindowDC(GetDesktopWindow());
    default:
      return GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  }
}

// The half-tone brush and the screen DC of GetDC(nullptr), on the
// application the windows run on, which the overlay works on.
class DragOutline : public ::testing::Test {
 protected:
  void SetUp() override {
    static HWND anchor = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    ASSERT_NE(anchor, nullptr);
    dc_ = GetDC(nullptr);
  }
  void TearDown() override {
    ReleaseDC(nullptr, dc_);
    DeleteObject(brush_);
  }
  HBRUSH brush_ = HalftoneBrush();
  HDC dc_ = nullptr;
};

TEST_F(DragOutline, AnOutlineDrawnTwiceIsGoneWhicheverWayTheScreenDcWasHad) {
  HBRUSH brush = brush_;
  for (ScreenDcKind kind : {ScreenDcKind::kGetDcNull, ScreenDcKind::kDesktopWindowDc, ScreenDcKind::kGetDcExLocked}) {
    SCOPED_TRACE(static_cast<int>(kind));
    ASSERT_TRUE(quorla::InvertedScreenArea().isEmpty());
    HDC dc = OpenScreen(kind);
    ASSERT_NE(dc, nullptr);
    const RECT rect{100, 80, 400, 300};
    DrawDragRect(dc, rect, nullptr, brush);
    EXPECT_EQ(quorla::InvertedScreenArea(), Frame(rect, 2));
    QWidget* overlay = OverlayWidget();
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->geometry(), QRect(100, 80, 300, 220));
    EXPECT_EQ(overlay->mask(), Frame(rect, 2).translated(-100, -80)) << "shaped to the outline";
    EXPECT_TRUE(overlay->windowFlags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(overlay->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(overlay->windowFlags().testFlag(Qt::X11BypassWindowManagerHint));

    DrawDragRect(dc, rect, nullptr, brush);
    EXPECT_TRUE(quorla::InvertedScreenArea().isEmpty());
    EXPECT_FALSE(overlay->isVisible());
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
  }
}

TEST_F(DragOutline, AMovedOutlineLeavesOnlyTheNewFrameAndEndsEmpty) {
  HBRUSH brush = brush_;
  HDC dc = dc_;
  const RECT steps[] = {{100, 100, 500, 400}, {90, 100, 500, 400}, {90, 100, 520, 430}, {-20, -10, 300, 200}};
  const RECT* last = nullptr;
  for (const RECT& r : steps) {
    DrawDragRect(dc, r, last, brush);
    EXPECT_EQ(quorla::InvertedScreenArea(), Frame(r, 2)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    last = &r;
  }
  DrawDragRect(dc, *last, nullptr, brush);  // erase
  EXPECT_TRUE(quorla::InvertedScreenArea().isEmpty());
}

// Whether the overlay shows a screen pixel dark, read from its own drawing.
bool DarkAt(QWidget* overlay, const QImage& image, QPoint screen) {
  return qGray(image.pixel(screen - overlay->geometry().topLeft())) < 128;
}

TEST_F(DragOutline, TheOutlineIsAHalfToneCheckerFixedToTheScreen) {
  HBRUSH brush = brush_;
  HDC dc = dc_;
  // Outlines at odd and even offsets: the checker must not move with them.
  const RECT places[] = {{100, 80, 400, 300}, {101, 80, 400, 300}, {100, 83, 401, 300}};
  std::optional<bool> darkAtOrigin;  // the colour of screen points with x + y even
  for (const RECT& r : places) {
    SCOPED_TRACE(r.left * 1000 + r.top);
    DrawDragRect(dc, r, nullptr, brush);
    QWidget* overlay = OverlayWidget();
    ASSERT_NE(overlay, nullptr);
    const QImage image = overlay->grab().toImage();
    int dark = 0, light = 0;
    for (int y = r.top; y < r.top + 2; ++y) {
      for (int x = r.left; x < r.left + 40; ++x) {
        const bool d = DarkAt(overlay, image, QPoint(x, y));
        (d ? dark : light) += 1;
        const bool even = (x + y) % 2 == 0;
        if (!darkAtOrigin) darkAtOrigin = even ? d : !d;
        EXPECT_EQ(d, even ? *darkAtOrigin : !*darkAtOrigin) << x << "," << y;
      }
    }
    EXPECT_EQ(dark, light) << "half the pixels of each kind";
    DrawDragRect(dc, r, nullptr, brush);
    ASSERT_TRUE(quorla::InvertedScreenArea().isEmpty());
  }
}

TEST_F(DragOutline, TheScreenDcDrawsNothingElse) {
  HDC dc = dc_;
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(dc, red);
  SetLastError(0);
  EXPECT_FALSE(PatBlt(dc, 0, 0, 50, 50, PATCOPY));
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  RECT r{0, 0, 50, 50};
  EXPECT_EQ(FillRect(dc, &r, red), 0);
  EXPECT_TRUE(quorla::InvertedScreenArea().isEmpty());
  // DSTINVERT inverts as well, and once more restores.
  EXPECT_TRUE(PatBlt(dc, 10, 10, 5, 5, DSTINVERT));
  EXPECT_EQ(quorla::InvertedScreenArea(), QRegion(10, 10, 5, 5));
  EXPECT_TRUE(PatBlt(dc, 10, 10, 5, 5, DSTINVERT));
  EXPECT_TRUE(quorla::InvertedScreenArea().isEmpty());
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST_F(DragOutline, GetDcExTakesOverTheClipRegion) {
  HBRUSH brush = brush_;
  HRGN clip = CreateRectRgn(0, 0, 20, 20);
  HDC dc = GetDCEx(nullptr, clip, DCX_CACHE | DCX_INTERSECTRGN);
  ASSERT_NE(dc, nullptr);
  SelectObject(dc, brush);
  PatBlt(dc, 10, 10, 30, 30, PATINVERT);
  EXPECT_EQ(quorla::InvertedScreenArea(), QRegion(10, 10, 10, 10));
  PatBlt(dc, 10, 10, 30, 30, PATINVERT);
  EXPECT_TRUE(quorla::InvertedScreenArea().isEmpty());
  EXPECT_FALSE(DeleteObject(clip)) << "the region went to the layer";
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(GetDCEx(reinterpret_cast<HWND>(0x7777), nullptr, 0), nullptr);
}

}  // namespace
