#include <gtest/gtest.h>

#include "drawing_test_support.h"
#include "win/last_error.h"
#include "win/regions.h"

namespace {

using drawing_test::Canvas;

// The 8 x 8 half-tone checker as a 1-bit device bitmap: rows of 16 bits,
// alternately 0x55 and 0xAA in their first byte.
HBITMAP HalftoneBitmap() {
  WORD rows[8];
  for (int i = 0; i < 8; ++i) rows[i] = static_cast<WORD>(0x5555 << (i & 1));
  return CreateBitmap(8, 8, 1, 1, rows);
}

HBRUSH HalftoneBrush() {
  HBITMAP bitmap = HalftoneBitmap();
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);  // the brush keeps its own copy
  return brush;
}

// Bit (x, y) of the checker above: 0x55 = 01010101, the leftmost pixel
// is the top bit.
bool HalftoneBit(int x, int y) { return ((x + y) & 1) != 0; }

TEST(PatternBlit, AMonochromeBitmapKeepsItsRowsAndMakesAPatternBrush) {
  HBITMAP bitmap = HalftoneBitmap();
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 8);
  EXPECT_EQ(bm.bmHeight, 8);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  const BYTE* bits = static_cast<const BYTE*>(bm.bmBits);
  for (int y = 0; y < 8; ++y) EXPECT_EQ(bits[y * bm.bmWidthBytes], (y & 1) ? 0xAA : 0x55) << "row " << y;

  HBRUSH brush = CreatePatternBrush(bitmap);
  ASSERT_NE(brush, nullptr);
  LOGBRUSH description{};
  ASSERT_EQ(GetObjectW(brush, sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.lbStyle, BS_PATTERN);
  EXPECT_EQ(description.lbHatch, reinterpret_cast<ULONG_PTR>(bitmap));
  DeleteObject(brush);
  DeleteObject(bitmap);
}

TEST(PatternBlit, CreateBitmapRefusesWhatItCannotHold) {
  struct Case {
    int width, height;
    UINT planes, bits;
  } cases[] = {{0, 8, 1, 1}, {8, 0, 1, 1}, {-8, 8, 1, 1}, {8, 8, 2, 1}, {8, 8, 1, 4}, {8, 8, 1, 16}};
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(CreateBitmap(c.width, c.height, c.planes, c.bits, nullptr), nullptr)
        << c.width << "x" << c.height << " planes " << c.planes << " bits " << c.bits;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
}

TEST(PatternBlit, AColourBitmapTilesFromTheDeviceOrigin) {
  // 2 x 2 of red, green / blue, white as 32-bit rows (8 bytes, already
  // 16-bit aligned).
  const DWORD pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, pixels);
  HBRUSH brush = CreatePatternBrush(bitmap);
  Canvas canvas(6, 4, 32);
  HGDIOBJ old = SelectObject(canvas.dc, brush);
  ASSERT_TRUE(PatBlt(canvas.dc, 1, 1, 5, 3, PATCOPY));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      std::uint32_t expected = (x < 1 || y < 1) ? 0u : pixels[(y % 2) * 2 + (x % 2)];
      EXPECT_EQ(canvas.Rgb(x, y), expected) << x << "," << y;
    }
  }
  SelectObject(canvas.dc, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
}

TEST(PatternBlit, RasterOperationsOnEachPixel) {
  struct Case {
    const char* name;
    DWORD rop;
    bool halftone;  // the half-tone brush, else a solid one
    std::uint32_t start;
    // expected colour where the pattern bit is 0 and where it is 1
    std::uint32_t atZero, atOne;
  } cases[] = {
      // Text colour black paints the 0 bits, background white the 1 bits.
      {"pattern copy", PATCOPY, true, 0x123456, 0x000000, 0xFFFFFF},
      {"pattern invert", PATINVERT, true, 0x123456, 0x123456, 0xEDCBA9},
      {"solid copy", PATCOPY, false, 0x123456, 0x996633, 0x996633},
      {"solid invert", PATINVERT, false, 0x0F0F0F, 0x96693C, 0x96693C},
      {"destination invert", DSTINVERT, true, 0x123456, 0xEDCBA9, 0xEDCBA9},
      {"blackness", BLACKNESS, true, 0x123456, 0x000000, 0x000000},
      {"whiteness", WHITENESS, true, 0x123456, 0xFFFFFF, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(16, 16, 32);
    canvas.Fill(c.start, 0xFF);
    HBRUSH brush = c.halftone ? HalftoneBrush() : CreateSolidBrush(RGB(0x99, 0x66, 0x33));
    HGDIOBJ old = SelectObject(canvas.dc, brush);
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    SetBkColor(canvas.dc, RGB(255, 255, 255));
    ASSERT_TRUE(PatBlt(canvas.dc, 0, 0, 16, 16, c.rop));
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        std::uint32_t expected = (c.halftone && HalftoneBit(x, y)) ? c.atOne : c.atZero;
        ASSERT_EQ(canvas.Rgb(x, y), expected) << x << "," << y;
      }
    }
    if (c.rop == PATINVERT || c.rop == DSTINVERT) {
      EXPECT_EQ(canvas.Alpha(3, 3), 0xFF) << "inverting keeps alpha";
    }
    SelectObject(canvas.dc, old);
    DeleteObject(brush);
  }
}

TEST(PatternBlit, InvertingTwiceRestoresEveryPixelAndClippingHolds) {
  Canvas canvas(40, 30, 32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) canvas.Set(x, y, static_cast<std::uint32_t>(x * 5 + y * 0x500));
  std::vector<std::uint32_t> before;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) before.push_back(canvas.Rgb(x, y));
  HBRUSH brush = HalftoneBrush();
  SelectObject(canvas.dc, brush);
  // A frame two pixels wide: the outer rectangle without the inner one.
  HRGN outer = CreateRectRgn(5, 5, 35, 25);
  HRGN inner = CreateRectRgn(7, 7, 33, 23);
  CombineRgn(outer, outer, inner, RGN_XOR);
  SelectClipRgn(canvas.dc, outer);
  RECT box;
  GetClipBox(canvas.dc, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.bottom, 25);
  ASSERT_TRUE(PatBlt(canvas.dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT));
  int changed = 0, outside = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      bool differs = canvas.Rgb(x, y) != before[static_cast<size_t>(y * 40 + x)];
      changed += differs;
      if (differs && !PtInRegion(outer, x, y)) ++outside;
    }
  }
  EXPECT_GT(changed, 0);
  EXPECT_EQ(outside, 0) << "nothing changes outside the clipping region";
  ASSERT_TRUE(PatBlt(canvas.dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(canvas.Rgb(x, y), before[static_cast<size_t>(y * 40 + x)]) << x << "," << y;
  SelectClipRgn(canvas.dc, nullptr);
  DeleteObject(outer);
  DeleteObject(inner);
  DeleteObject(brush);
}

TEST(PatternBlit, NegativeExtentsViewportAndBadArguments) {
  Canvas canvas(10, 10, 24);
  canvas.Fill(0x000000);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  SelectObject(canvas.dc, white);
  // A negative width reaches left of x: pixels 2..4 of row 1.
  ASSERT_TRUE(PatBlt(canvas.dc, 5, 1, -3, 1, PATCOPY));
  EXPECT_EQ(canvas.CountNot(0x000000, 0, 0, 10, 10), 3);
  EXPECT_EQ(canvas.Rgb(2, 1), 0xFFFFFFu);
  EXPECT_EQ(canvas.Rgb(4, 1), 0xFFFFFFu);
  EXPECT_EQ(canvas.Rgb(5, 1), 0u);
  // The viewport origin moves logical coordinates.
  SetViewportOrgEx(canvas.dc, 3, 3, nullptr);
  ASSERT_TRUE(PatBlt(canvas.dc, 0, 0, 1, 1, PATCOPY));
  EXPECT_EQ(canvas.Rgb(3, 3), 0xFFFFFFu);
  SetViewportOrgEx(canvas.dc, 0, 0, nullptr);

  EXPECT_FALSE(PatBlt(canvas.dc, 0, 0, 2, 2, SRCCOPY)) << "an operation that needs a source";
  EXPECT_FALSE(PatBlt(nullptr, 0, 0, 2, 2, PATCOPY));
  SelectObject(canvas.dc, GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 10, 10, PATCOPY)) << "a null brush paints nothing";
  EXPECT_EQ(canvas.CountNot(0x000000, 0, 0, 10, 10), 4);
  SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(white);
}

TEST(PatternBlit, FillRectPaintsWithAPatternBrushToo) {
  Canvas canvas(8, 8, 32);
  canvas.Fill(0x808080);
  HBRUSH brush = HalftoneBrush();
  SetTextColor(canvas.dc, RGB(255, 0, 0));
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  RECT r{0, 0, 8, 8};
  ASSERT_EQ(FillRect(canvas.dc, &r, brush), 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(canvas.Rgb(x, y), HalftoneBit(x, y) ? 0x0000FFu : 0xFF0000u) << x << "," << y;
  DeleteObject(brush);
}

}  // namespace
