#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "drawing_test_support.h"
#include "win/regions.h"

using drawing_test::Canvas;

namespace {

TEST(Blit, BitBltBetweenEveryLayout) {
  for (int fromBits : {24, 32}) {
    for (int toBits : {24, 32}) {
      for (bool fromTopDown : {true, false}) {
        for (bool toTopDown : {true, false}) {
          Canvas from(4, 3, fromBits, fromTopDown);
          Canvas to(6, 5, toBits, toTopDown);
          for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) from.Set(x, y, 0x010000u * (x + 1) + 0x000100u * (y + 1) + 7, 0x80);
          ASSERT_TRUE(BitBlt(to.dc, 1, 2, 4, 3, from.dc, 0, 0, SRCCOPY));
          for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(to.Rgb(x + 1, y + 2), from.Rgb(x, y));
          EXPECT_EQ(to.Rgb(0, 0), 0u);
          EXPECT_EQ(to.Rgb(5, 4), 0u);
          if (toBits == 32) {
            EXPECT_EQ(to.Alpha(1, 2), fromBits == 32 ? 0x80 : 0);
          }
        }
      }
    }
  }
}

TEST(Blit, BitBltHonoursClipAndRefusesOtherOperations) {
  Canvas from(8, 8, 24);
  from.Fill(0xFFFFFF);
  Canvas to(8, 8, 24);
  IntersectClipRect(to.dc, 2, 2, 4, 4);
  EXPECT_TRUE(BitBlt(to.dc, 0, 0, 8, 8, from.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(to.CountNot(0, 0, 0, 8, 8), 4);
  EXPECT_FALSE(BitBlt(to.dc, 0, 0, 8, 8, from.dc, 0, 0, 0x00EE0086));
  EXPECT_FALSE(BitBlt(to.dc, 0, 0, 8, 8, nullptr, 0, 0, SRCCOPY));
}

TEST(Blit, OverlappingCopyInsideOneSurface) {
  Canvas c(5, 1, 24);
  for (int x = 0; x < 5; ++x) c.Set(x, 0, x + 1);
  EXPECT_TRUE(BitBlt(c.dc, 1, 0, 4, 1, c.dc, 0, 0, SRCCOPY));
  std::vector<std::uint32_t> expect = {1, 1, 2, 3, 4};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(c.Rgb(x, 0), expect[x]);
}

TEST(Blit, StretchModes) {
  Canvas from(4, 4, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) from.Set(x, y, ((x + y) % 2) ? 0xFFFFFF : 0x000000);
  Canvas nearest(2, 2, 24);
  SetStretchBltMode(nearest.dc, COLORONCOLOR);
  EXPECT_TRUE(StretchBlt(nearest.dc, 0, 0, 2, 2, from.dc, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(nearest.Rgb(0, 0), 0u);  // source (0, 0)
  EXPECT_EQ(nearest.Rgb(1, 0), 0u);  // source (2, 0)
  Canvas halftone(2, 2, 24);
  EXPECT_EQ(SetStretchBltMode(halftone.dc, HALFTONE), BLACKONWHITE);
  EXPECT_EQ(GetStretchBltMode(halftone.dc), HALFTONE);
  EXPECT_TRUE(StretchBlt(halftone.dc, 0, 0, 2, 2, from.dc, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(halftone.Rgb(0, 0), 0x808080u);  // the average of two black and two white
  // Enlarging repeats pixels; a negative width mirrors.
  Canvas row(3, 1, 24);
  for (int x = 0; x < 3; ++x) row.Set(x, 0, x + 1);
  Canvas wide(6, 1, 24);
  EXPECT_TRUE(StretchBlt(wide.dc, 0, 0, 6, 1, row.dc, 0, 0, 3, 1, SRCCOPY));
  std::vector<std::uint32_t> doubled = {1, 1, 2, 2, 3, 3};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(wide.Rgb(x, 0), doubled[x]);
  Canvas mirrored(3, 1, 24);
  EXPECT_TRUE(StretchBlt(mirrored.dc, 3, 0, -3, 1, row.dc, 0, 0, 3, 1, SRCCOPY));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(mirrored.Rgb(x, 0), std::uint32_t(3 - x));
  EXPECT_EQ(SetStretchBltMode(row.dc, 9), 0);
}

// A packed DIB in memory: header, palette, bottom-up rows.
struct PackedDib {
  PackedDib(int width, int height, int bitCount, std::vector<RGBQUAD> palette) {
    memory.resize(sizeof(BITMAPINFOHEADER) + palette.size() * 4);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(memory.data());
    *h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bitCount), BI_RGB, 0, 0, 0,
                          DWORD(palette.size()), 0};
    if (!palette.empty()) std::memcpy(memory.data() + sizeof(BITMAPINFOHEADER), palette.data(), palette.size() * 4);
    stride = ((width * bitCount + 31) / 32) * 4;
    bits.assign(size_t(stride) * std::abs(height), 0);
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(memory.data()); }
  std::vector<BYTE> memory;
  std::vector<BYTE> bits;
  int stride;
};

TEST(Blit, PackedPaletteDibsReachTheDevice) {
  std::vector<RGBQUAD> palette = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  struct Case {
    int bitCount;
    // Pixel x = 0..3 of the bottom row set to indexes 0, 1, 2, 3 (1 bit: 0, 1, 0, 1).
    std::vector<BYTE> bottomRow;
    std::vector<std::uint32_t> expect;
  } cases[] = {
      {1, {0x50}, {0x000000, 0xFF0000, 0x000000, 0xFF0000}},
      {4, {0x01, 0x23}, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}},
      {8, {0, 1, 2, 3}, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}},
  };
  for (const Case& c : cases) {
    PackedDib dib(4, 2, c.bitCount, palette);
    std::memcpy(dib.bits.data(), c.bottomRow.data(), c.bottomRow.size());  // row 0 = bottom
    Canvas to(4, 2, 32, false);
    EXPECT_EQ(SetDIBitsToDevice(to.dc, 0, 0, 4, 2, 0, 0, 0, 2, dib.bits.data(), dib.Info(), DIB_RGB_COLORS), 2);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(to.Rgb(x, 1), c.expect[x]) << c.bitCount << " x=" << x;
    Canvas stretched(8, 4, 24);
    EXPECT_EQ(StretchDIBits(stretched.dc, 0, 0, 8, 4, 0, 0, 4, 2, dib.bits.data(), dib.Info(), DIB_RGB_COLORS,
                            SRCCOPY),
              2);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(stretched.Rgb(x, 3), c.expect[x / 2]) << c.bitCount;
  }
}

TEST(Blit, SetDIBitsToDeviceCountsSourceRowsFromTheBottom) {
  PackedDib dib(1, 4, 24, {});
  for (int r = 0; r < 4; ++r) dib.bits[size_t(r) * dib.stride] = BYTE(10 + r);  // blue = 10 + row from bottom
  Canvas to(1, 2, 24);
  // Two rows starting at source row 1 from the bottom: rows 2 (top) and 1.
  EXPECT_GT(SetDIBitsToDevice(to.dc, 0, 0, 1, 2, 0, 1, 0, 4, dib.bits.data(), dib.Info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(to.Rgb(0, 0), 12u);
  EXPECT_EQ(to.Rgb(0, 1), 11u);
  // A band: memory holds rows 2..3 only.
  Canvas band(1, 4, 24);
  EXPECT_EQ(SetDIBitsToDevice(band.dc, 0, 0, 1, 4, 0, 0, 2, 2, dib.bits.data(), dib.Info(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(band.Rgb(0, 0), 11u);  // row 3 comes from the band's second line
  EXPECT_EQ(band.Rgb(0, 1), 10u);
  EXPECT_EQ(band.Rgb(0, 2), 0u);
  EXPECT_EQ(SetDIBitsToDevice(band.dc, 0, 0, 1, 4, 0, 0, 0, 4, nullptr, dib.Info(), DIB_RGB_COLORS), 0);
}

TEST(Blit, AlphaBlendArithmetic) {
  struct Case {
    std::uint32_t source;  // premultiplied BGRA word
    BYTE sourceAlpha;
    BYTE constant;
    BYTE format;
    std::uint32_t destination;
    std::uint32_t expect;
  } cases[] = {
      {0xFFFFFF, 255, 255, AC_SRC_ALPHA, 0x000000, 0xFFFFFF},
      {0x000000, 0, 255, AC_SRC_ALPHA, 0x336699, 0x336699},
      {0x808080, 128, 255, AC_SRC_ALPHA, 0x000000, 0x808080},
      {0x808080, 128, 255, AC_SRC_ALPHA, 0xFFFFFF, 0xFFFFFF},
      {0xFF0000, 255, 128, AC_SRC_ALPHA, 0x0000FF, 0x80007F},
      {0xFFFFFF, 0, 128, 0, 0x000000, 0x808080},
      {0xFFFFFF, 0, 0, 0, 0x123456, 0x123456},
  };
  for (const Case& c : cases) {
    Canvas from(2, 2, 32, false);
    from.Fill(c.source, c.sourceAlpha);
    Canvas to(2, 2, 24);
    to.Fill(c.destination);
    EXPECT_TRUE(AlphaBlend(to.dc, 0, 0, 2, 2, from.dc, 0, 0, 2, 2, BLENDFUNCTION{AC_SRC_OVER, 0, c.constant, c.format}));
    EXPECT_EQ(to.Rgb(1, 1), c.expect) << std::hex << c.source << " over " << c.destination;
  }
}

TEST(Blit, AlphaBlendRefusesSourceOutsideItsBitmap) {
  Canvas from(2, 2, 32);
  Canvas to(4, 4, 32);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(AlphaBlend(to.dc, 0, 0, 3, 3, from.dc, 0, 0, 3, 3, blend));
  EXPECT_FALSE(AlphaBlend(to.dc, 0, 0, 2, 2, from.dc, -1, 0, 2, 2, blend));
  EXPECT_FALSE(AlphaBlend(to.dc, 0, 0, -2, 2, from.dc, 0, 0, 2, 2, blend));
  Canvas rgb(2, 2, 24);
  EXPECT_FALSE(AlphaBlend(to.dc, 0, 0, 2, 2, rgb.dc, 0, 0, 2, 2, blend));
  EXPECT_TRUE(AlphaBlend(to.dc, 0, 0, 4, 4, from.dc, 0, 0, 2, 2, blend));
}

TEST(Blit, FillRectWithBrushesAndSystemColours) {
  Canvas c(10, 10, 32, false);
  c.Fill(0, 0xFF);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT r{2, 3, 5, 7};
  EXPECT_NE(FillRect(c.dc, &r, blue), 0);
  EXPECT_EQ(c.CountNot(0, 0, 0, 10, 10), 12);
  EXPECT_EQ(c.Rgb(2, 3), 0x0000FFu);
  EXPECT_EQ(c.Alpha(2, 3), 0);  // colour fills leave no alpha behind, as the platform does
  EXPECT_EQ(c.Rgb(5, 3), 0u);
  RECT all{0, 0, 10, 10};
  EXPECT_NE(FillRect(c.dc, &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), 0);
  EXPECT_EQ(c.Rgb(9, 9), GetSysColor(COLOR_WINDOW) == RGB(255, 255, 255) ? 0xFFFFFFu : 0u);
  EXPECT_EQ(FillRect(c.dc, &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  DeleteObject(blue);
}

TEST(Blit, ThreadsDrawIntoTheirOwnSurfacesAtOnce) {
  // Handles come from one process-wide table; each thread draws into its own DC.
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&wrong, t] {
      for (int i = 0; i < 50; ++i) {
        Canvas from(8, 8, 32);
        from.Fill(0x010101u * (t + 1), 255);
        Canvas to(8, 8, 24, (i & 1) != 0);
        HBRUSH brush = CreateSolidBrush(RGB(t, i, 0));
        RECT r{0, 0, 4, 4};
        FillRect(to.dc, &r, brush);
        DeleteObject(brush);
        AlphaBlend(to.dc, 4, 4, 4, 4, from.dc, 0, 0, 8, 8, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        if (to.Rgb(5, 5) != 0x010101u * (t + 1) || to.Rgb(1, 1) != std::uint32_t((t << 16) | (i << 8))) ++wrong;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
