#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "canvas.h"

namespace {

using afx_test::Canvas;
using afx_test::RawClass;

TEST(CDCTest, FillSolidRectLeavesTheRightAndBottomEdgesOut) {
  Canvas canvas(8, 8);
  canvas.dc.FillSolidRect(CRect(0, 0, 8, 8), RGB(255, 255, 255));
  canvas.dc.FillSolidRect(2, 3, 4, 2, RGB(200, 100, 50));
  const struct {
    int x, y;
    COLORREF color;
  } cases[] = {{2, 3, RGB(200, 100, 50)}, {5, 4, RGB(200, 100, 50)}, {6, 4, RGB(255, 255, 255)},
               {5, 5, RGB(255, 255, 255)}, {1, 3, RGB(255, 255, 255)}, {2, 2, RGB(255, 255, 255)}};
  for (const auto& c : cases) EXPECT_EQ(canvas.At(c.x, c.y), c.color) << c.x << "," << c.y;
  // A rectangle of negative width draws nothing.
  canvas.dc.FillSolidRect(CRect(6, 0, 4, 2), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(5, 0), RGB(255, 255, 255));
}

// The copying rules are the drawing layer's tests'; here the wrappers hand
// on their arguments in order.
TEST(CDCTest, CopiesAndStretchesHandOnTheirArguments) {
  Canvas source(2, 1);
  source.dc.FillSolidRect(0, 0, 1, 1, RGB(255, 0, 0));
  source.dc.FillSolidRect(1, 0, 1, 1, RGB(0, 0, 255));
  Canvas target(8, 2, RGB(255, 255, 255));
  EXPECT_TRUE(target.dc.BitBlt(6, 0, 1, 1, &source.dc, 1, 0, SRCCOPY));
  EXPECT_TRUE(target.dc.StretchBlt(0, 1, 4, 1, &source.dc, 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(std::vector<COLORREF>({target.At(5, 0), target.At(6, 0), target.At(7, 0)}),
            std::vector<COLORREF>({RGB(255, 255, 255), RGB(0, 0, 255), RGB(255, 255, 255)}));
  EXPECT_EQ(std::vector<COLORREF>({target.At(1, 1), target.At(2, 1), target.At(4, 1)}),
            std::vector<COLORREF>({RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 255)}));
}

TEST(CDCTest, SelectingReturnsWhatWasSelectedAndSaveRestoresIt) {
  Canvas canvas(4, 4);
  CFont first;
  CFont second;
  ASSERT_TRUE(first.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0x20, u"宋体"));
  ASSERT_TRUE(second.CreateFont(14, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0x20, u"宋体"));
  CFont* original = canvas.dc.SelectObject(&first);
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(canvas.dc.SelectObject(&second)->m_hObject, first.m_hObject);
  EXPECT_EQ(canvas.dc.GetCurrentFont()->m_hObject, second.m_hObject);

  int saved = canvas.dc.SaveDC();
  EXPECT_GT(saved, 0);
  canvas.dc.SelectObject(&first);
  EXPECT_TRUE(canvas.dc.RestoreDC(saved));
  EXPECT_EQ(canvas.dc.GetCurrentFont()->m_hObject, second.m_hObject);
  canvas.dc.SelectObject(original);
}

TEST(CDCTest, TextMeasuresAndDraws) {
  Canvas canvas(120, 20, RGB(255, 255, 255));
  CFont font;
  ASSERT_TRUE(font.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0x20, u"宋体"));
  canvas.dc.SelectObject(&font);
  CSize shortText = canvas.dc.GetTextExtent(CString(u"设置"));
  EXPECT_GT(shortText.cx, 0);
  EXPECT_GT(canvas.dc.GetTextExtent(u"设置设置", 4).cx, shortText.cx);
  EXPECT_EQ(canvas.dc.GetTextExtent(CString()).cx, 0);
  canvas.dc.SetBkMode(TRANSPARENT);
  CRect box(0, 0, 120, 20);
  EXPECT_GT(canvas.dc.DrawText(CString(u"反馈"), box, DT_SINGLELINE | DT_VCENTER), 0);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 120; ++x) dark += GetRValue(canvas.At(x, y)) < 128;
  EXPECT_GT(dark, 10);
}

TEST(CDCTest, TemporaryWrappersNeverFreeTheirHandles) {
  HDC handle = CreateCompatibleDC(nullptr);
  CDC* wrapper = CDC::FromHandle(handle);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(CDC::FromHandle(handle), wrapper);
  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
  CBrush* brushWrapper = CBrush::FromHandle(brush);
  EXPECT_EQ(static_cast<HBRUSH>(*brushWrapper), brush);
  {
    CWinApp app(u"temporaries");
    app.OnIdle(0);
  }
  // Both still work: the temporaries let go without deleting.
  EXPECT_EQ(SetBkMode(handle, TRANSPARENT), OPAQUE);
  LOGBRUSH description{};
  EXPECT_EQ(GetObjectW(brush, sizeof description, &description), static_cast<int>(sizeof description));
  DeleteObject(brush);
  DeleteDC(handle);
}

TEST(CDCTest, OwnedObjectsAreDeletedWithTheirWrapper) {
  HGDIOBJ font;
  HGDIOBJ region;
  {
    CFont owned;
    ASSERT_TRUE(owned.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, u"Arial"));
    font = owned.m_hObject;
    CRgn ownedRegion;
    ASSERT_TRUE(ownedRegion.CreateRectRgn(0, 0, 5, 5));
    region = ownedRegion.m_hObject;
    CFont second;
    EXPECT_FALSE(second.Attach(nullptr));
    EXPECT_TRUE(second.Attach(font));
    EXPECT_FALSE(second.Attach(font));
    second.Detach();
  }
  LOGFONTW description{};
  EXPECT_EQ(GetObjectW(font, sizeof description, &description), 0);
  EXPECT_FALSE(DeleteObject(region));
}

// The combining rules are the drawing layer's tests'; here the wrappers
// make, combine, test, measure, copy and move a shape with a corner cut.
TEST(CRgnTest, ACornerCutByExclusiveOr) {
  CRgn shape, corner;
  ASSERT_TRUE(shape.CreateRectRgn(0, 0, 20, 10));
  const RECT cut{18, 0, 20, 1};
  ASSERT_TRUE(corner.CreateRectRgnIndirect(&cut));
  EXPECT_EQ(shape.CombineRgn(&shape, &corner, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(shape.PtInRegion(19, 0));
  EXPECT_TRUE(shape.PtInRegion(17, 0));
  CRect box;
  EXPECT_EQ(shape.GetRgnBox(box), COMPLEXREGION);
  EXPECT_EQ(box, CRect(0, 0, 20, 10));
  CRgn copy;
  ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(copy.CopyRgn(&shape), COMPLEXREGION);
  copy.OffsetRgn(5, 5);
  EXPECT_TRUE(copy.PtInRegion(22, 5));
  EXPECT_FALSE(copy.PtInRegion(24, 5));
}

// Paints its client area in WM_PAINT through a CPaintDC.
class CPainted : public CWnd {
 public:
  int paints = 0;

 protected:
  void OnPaint() {
    CPaintDC dc(this);
    ++paints;
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, RGB(0, 128, 255));
  }
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPainted, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(WindowDcTest, PaintClientAndWindowDcsDrawIntoTheWindow) {
  CPainted wnd;
  ASSERT_TRUE(wnd.CreateEx(0, RawClass(), u"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr));
  afx_test::Drain();
  EXPECT_GE(wnd.paints, 1);
  CRect update;
  EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, update, FALSE));

  auto pixel = [&](int x, int y) {
    CClientDC client(&wnd);
    return afx_test::PixelAt(client, x, y);
  };
  EXPECT_EQ(pixel(5, 5), RGB(0, 128, 255));
  {
    CClientDC client(&wnd);
    client.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
  }
  EXPECT_EQ(pixel(5, 5), RGB(255, 0, 0));
  {
    CWindowDC whole(&wnd);
    whole.FillSolidRect(0, 0, 10, 10, RGB(0, 255, 0));
  }
  EXPECT_EQ(pixel(5, 5), RGB(0, 255, 0));
  EXPECT_EQ(pixel(20, 20), RGB(0, 128, 255));
}

// Which pixels of a white canvas are no longer white.
std::vector<std::string> Changed(const Canvas& canvas, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += canvas.At(x, y) == RGB(255, 255, 255) ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

TEST(DragRectTest, OutlinesAreInvertedFramesThatTheNextCallTakesAway) {
  Canvas canvas(10, 8);
  canvas.dc.FillSolidRect(0, 0, 10, 8, RGB(255, 255, 255));
  CBrush white(RGB(255, 255, 255));  // inverts every pixel it covers
  CRect first(1, 1, 9, 7);
  canvas.dc.DrawDragRect(first, CSize(2, 2), nullptr, CSize(0, 0), &white);
  EXPECT_EQ(Changed(canvas, 10, 8), (std::vector<std::string>{"..........", ".########.", ".########.", ".##....##.",
                                                               ".##....##.", ".########.", ".########.", ".........."}));
  // Moved: only the new outline is left.
  CRect second(0, 2, 6, 8);
  canvas.dc.DrawDragRect(second, CSize(1, 1), first, CSize(2, 2), &white);
  EXPECT_EQ(Changed(canvas, 10, 8), (std::vector<std::string>{"..........", "..........", "######....", "#....#....",
                                                               "#....#....", "#....#....", "#....#....", "######...."}));
  // Erased with a size of 0: nothing is left.
  canvas.dc.DrawDragRect(second, CSize(0, 0), second, CSize(1, 1), &white);
  EXPECT_EQ(Changed(canvas, 10, 8), std::vector<std::string>(8, ".........."));
  // A frame thicker than half the rectangle covers it once.
  canvas.dc.DrawDragRect(CRect(2, 2, 5, 4), CSize(2, 2), nullptr, CSize(0, 0), &white);
  EXPECT_EQ(Changed(canvas, 10, 8)[2], "..###.....");
  EXPECT_EQ(Changed(canvas, 10, 8)[3], "..###.....");
}

TEST(DragRectTest, TheHalftoneBrushInvertsEveryOtherPixel) {
  Canvas canvas(8, 4);
  canvas.dc.FillSolidRect(0, 0, 8, 4, RGB(255, 255, 255));
  ASSERT_NE(CDC::GetHalftoneBrush()->m_hObject, nullptr);
  EXPECT_EQ(CDC::GetHalftoneBrush(), CDC::GetHalftoneBrush());
  canvas.dc.DrawDragRect(CRect(0, 0, 8, 4), CSize(8, 4), nullptr, CSize(0, 0));
  auto rows = Changed(canvas, 8, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 1; x < 8; ++x) EXPECT_NE(rows[y][x], rows[y][x - 1]) << x << "," << y;
    if (y > 0) {
      EXPECT_NE(rows[y][0], rows[y - 1][0]);
    }
  }
  canvas.dc.DrawDragRect(nullptr, CSize(0, 0), CRect(0, 0, 8, 4), CSize(8, 4));
  EXPECT_EQ(Changed(canvas, 8, 4), std::vector<std::string>(4, "........"));
}

}  // namespace
