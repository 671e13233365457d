#include <gtest/gtest.h>

#include <cstring>

#include "imaging/dib_image.h"
#include "win/blit.h"
#include "win/dc.h"
#include "win/regions.h"

namespace {

// A 24-bit top-down DIB section in a memory DC.
struct Target {
  explicit Target(int size, std::uint32_t fill = 0) : size(size) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    stride = (size * 3 + 3) & ~3;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) Set(x, y, fill);
  }
  ~Target() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  // 0xRRGGBB of the pixel, y counted from the top.
  std::uint32_t At(int x, int y) const {
    const BYTE* p = bits + y * stride + 3 * x;
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
  }
  void Set(int x, int y, std::uint32_t rgb) {
    BYTE* p = bits + y * stride + 3 * x;
    p[0] = BYTE(rgb);
    p[1] = BYTE(rgb >> 8);
    p[2] = BYTE(rgb >> 16);
  }
  int size, stride;
  BYTE* bits = nullptr;
  HBITMAP bitmap;
  HDC dc;
  HGDIOBJ old;
};

// A 24-bit image whose pixel (x, y) has red x, green y (y from the bottom), blue 7.
void Gradient(CDibImage& image, int width, int height) {
  image.Create(width, height, 24, 1);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixelColorRaw(x, y, RGBQUAD{7, BYTE(y), BYTE(x), 0});
}

TEST(DibDraw, OpaqueUnscaledGoesStraightToTheDevice) {
  CDibImage image;
  Gradient(image, 16, 16);
  Target t(20);
  EXPECT_EQ(image.Draw(t.dc, 2, 3, 16, 16), 1);
  // Top-left of the drawing is the image's top row (y = 15).
  EXPECT_EQ(t.At(2, 3), 0x000F07u);
  EXPECT_EQ(t.At(17, 18), 0x0F0007u);
  EXPECT_EQ(t.At(1, 3), 0u);
}

TEST(DibDraw, HalvingPicksNearestSourceRows) {
  CDibImage image;
  Gradient(image, 32, 32);
  Target t(16);
  EXPECT_EQ(image.Draw(t.dc, 0, 0, 16, 16), 1);
  EXPECT_EQ((t.At(0, 15) >> 8) & 0xFF, 0u);   // bottom output row: source row 0
  EXPECT_EQ((t.At(0, 0) >> 8) & 0xFF, 30u);   // top output row: source row 30
  EXPECT_EQ(t.At(5, 15) >> 16, 10u);          // column 5 takes source column 10
}

TEST(DibDraw, AlphaBlendingArithmetic) {
  struct Case {
    BYTE alpha, alphaMax;
    std::uint32_t expect;
  } cases[] = {{128, 255, 0x7F7F7F}, {0, 255, 0x000000}, {255, 255, 0xFFFFFF}, {255, 0, 0x000000}};
  for (const Case& c : cases) {
    CDibImage image;
    image.Create(2, 2, 24, 1);
    image.CreateAlpha();
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        image.SetPixelColorRaw(x, y, RGBQUAD{255, 255, 255, 0});
        image.SetAlphaAt(x, y, c.alpha);
      }
    image.SetAlphaMax(c.alphaMax);
    Target t(4, 0x000000);
    EXPECT_EQ(image.Draw(t.dc, 1, 1, -1, -1), 1);
    EXPECT_EQ(t.At(1, 1), c.expect) << int(c.alpha) << "/" << int(c.alphaMax);
    EXPECT_EQ(t.At(0, 0), 0u);
  }
  // Without transparency or alpha, alphaMax does not matter.
  CDibImage opaque;
  Gradient(opaque, 2, 2);
  opaque.SetAlphaMax(0);
  Target t(2);
  opaque.Draw(t.dc, 0, 0);
  EXPECT_EQ(t.At(1, 1), 0x010007u);
}

TEST(DibDraw, PaletteTransparencyKeepsTheBackgroundAndPaletteAlphaScalesOpacity) {
  CDibImage image;
  image.Create(2, 1, 4, 1);
  image.SetPaletteEntry(0, 255, 0, 0);
  image.SetPaletteEntry(1, 0, 0, 255);
  image.SetPixelIndexRaw(0, 0, 0);
  image.SetPixelIndexRaw(1, 0, 1);
  image.SetTransparentIndex(0);
  Target t(2, 0x00FF00);
  EXPECT_EQ(image.Draw(t.dc, 0, 0), 1);
  EXPECT_EQ(t.At(0, 0), 0x00FF00u);
  EXPECT_EQ(t.At(1, 0), 0x0000FFu);

  CDibImage alpha;
  alpha.Create(1, 1, 8, 4);
  alpha.SetPaletteEntry(0, 255, 255, 255, 127);
  alpha.SetPixelIndexRaw(0, 0, 0);
  alpha.SetAlphaPaletteEnabled(true);
  Target black(1, 0x000000);
  alpha.Draw(black.dc, 0, 0);
  EXPECT_EQ(black.At(0, 0), 0x7E7E7Eu);  // a = 255 x 128 >> 8 = 127; (255 x 127) >> 8 = 126
}

TEST(DibDraw, NothingToDoAndClipping) {
  CDibImage empty;
  Target t(8, 0x123456);
  EXPECT_EQ(empty.Draw(t.dc, 0, 0), 0);
  CDibImage image;
  Gradient(image, 4, 4);
  EXPECT_EQ(image.Draw(nullptr, 0, 0), 0);
  EXPECT_EQ(image.Draw(t.dc, 0, 0, 0, 4), 0);
  image.Enable(false);
  EXPECT_EQ(image.Draw(t.dc, 0, 0), 0);
  EXPECT_EQ(t.At(0, 0), 0x123456u);
  image.Enable(true);
  image.CreateAlpha();
  // Entirely outside the clip box: nothing painted, still 1.
  EXPECT_EQ(image.Draw(t.dc, 100, 100, 4, 4), 1);
  // An extra clip rectangle limits the painting and is undone afterwards.
  RECT clip{0, 0, 2, 2};
  HRGN region = CreateRectRgn(0, 0, 8, 8);
  SelectClipRgn(t.dc, region);
  DeleteObject(region);
  EXPECT_EQ(image.Draw(t.dc, 0, 0, 4, 4, &clip), 1);
  EXPECT_NE(t.At(1, 1), 0x123456u);
  EXPECT_EQ(t.At(3, 3), 0x123456u);
  RECT box{};
  GetClipBox(t.dc, &box);
  EXPECT_EQ(box.right, 8);
  EXPECT_EQ(box.bottom, 8);
}

TEST(DibDraw, SmoothScalingInterpolates) {
  CDibImage image;
  image.Create(2, 1, 24, 1);
  image.SetPixelColorRaw(0, 0, RGBQUAD{0, 0, 0, 0});
  image.SetPixelColorRaw(1, 0, RGBQUAD{255, 255, 255, 0});
  Target t(8);
  image.Draw(t.dc, 0, 0, 8, 1, nullptr, true);
  int between = 0;
  for (int x = 0; x < 8; ++x) between += (t.At(x, 0) & 0xFF) > 0 && (t.At(x, 0) & 0xFF) < 255;
  EXPECT_GE(between, 2);
  EXPECT_EQ(t.At(0, 0), 0u);
  EXPECT_EQ(t.At(7, 0), 0xFFFFFFu);
  // Reduced smoothly, a flat image keeps its colour.
  CDibImage flat;
  flat.Create(8, 8, 24, 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) flat.SetPixelColorRaw(x, y, RGBQUAD{40, 80, 120, 0});
  Target small(2);
  flat.Draw(small.dc, 0, 0, 2, 2, nullptr, true);
  EXPECT_EQ(small.At(1, 1), 0x785028u);
}

TEST(DibSample, NearestBilinearAndUnknownMethods) {
  CDibImage image;
  Gradient(image, 10, 10);
  RGBQUAD c = image.SampleColor(2.4f, 3.6f, DIBIMAGE_INTERPOLATE_NEAREST, DIBIMAGE_OVERFLOW_REPEAT);
  EXPECT_EQ(c.rgbRed, 2);
  EXPECT_EQ(c.rgbGreen, 4);
  RGBQUAD bilinear = image.SampleColor(2.5f, 3.5f, 2, DIBIMAGE_OVERFLOW_REPEAT);
  RGBQUAD unknown = image.SampleColor(2.5f, 3.5f, 19, DIBIMAGE_OVERFLOW_REPEAT);
  EXPECT_EQ(bilinear.rgbRed, unknown.rgbRed);
  EXPECT_EQ(bilinear.rgbGreen, unknown.rgbGreen);
  EXPECT_EQ(bilinear.rgbRed, 2);  // (2 x 128 + 3 x 128) >> 8
  // Kernels reproduce a constant image.
  CDibImage flat;
  flat.Create(8, 8, 24, 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) flat.SetPixelColorRaw(x, y, RGBQUAD{100, 100, 100, 0});
  for (int method : {4, 5, 7, 16}) {
    RGBQUAD k = flat.SampleColor(3.3f, 4.6f, method, DIBIMAGE_OVERFLOW_REPEAT);
    EXPECT_NEAR(k.rgbRed, 100, 2) << method;
  }
  for (int method = 3; method <= 18; ++method) image.SampleColor(-3.5f, 12.25f, method, DIBIMAGE_OVERFLOW_MIRROR);
  CDibImage empty;
  RGBQUAD white = empty.SampleColor(1, 1);
  EXPECT_EQ(white.rgbRed, 255);
}

TEST(DibSample, OverflowMethods) {
  CDibImage image;
  Gradient(image, 10, 10);
  struct Case {
    LONG x;
    int overflow;
    LONG column;
  } cases[] = {{-1, DIBIMAGE_OVERFLOW_WRAP, 9},   {10, DIBIMAGE_OVERFLOW_MIRROR, 9},
               {-3, DIBIMAGE_OVERFLOW_MIRROR, 3}, {12, DIBIMAGE_OVERFLOW_REPEAT, 9},
               {-7, DIBIMAGE_OVERFLOW_REPEAT, 0}, {23, DIBIMAGE_OVERFLOW_WRAP, 3}};
  for (const Case& c : cases) {
    EXPECT_EQ(image.ColorWithOverflow(c.x, 4, c.overflow).rgbRed, c.column) << c.x << " " << c.overflow;
    LONG x = c.x, y = 4;
    image.WrapCoordinates(x, y, c.overflow);
    EXPECT_EQ(x, c.column);
  }
  RGBQUAD red{0, 0, 255, 9};
  EXPECT_EQ(image.ColorWithOverflow(-1, 0, DIBIMAGE_OVERFLOW_COLOR, &red).rgbRed, 255);
  EXPECT_EQ(image.ColorWithOverflow(-1, 0, DIBIMAGE_OVERFLOW_COLOR).rgbBlue, 255);  // white by default
  image.SetTransparentColor(RGBQUAD{1, 2, 3, 0});
  image.SetTransparentIndex(0);
  EXPECT_EQ(image.ColorWithOverflow(-1, 0, DIBIMAGE_OVERFLOW_BACKGROUND, &red).rgbBlue, 1);
  EXPECT_EQ(image.ColorWithOverflow(-1, 0, DIBIMAGE_OVERFLOW_TRANSPARENT, &red).rgbBlue, 1);
  image.CreateAlpha();
  RGBQUAD clear = image.ColorWithOverflow(-1, 0, DIBIMAGE_OVERFLOW_TRANSPARENT, &red);
  EXPECT_EQ(clear.rgbRed, 255);
  EXPECT_EQ(clear.rgbReserved, 0);
  EXPECT_EQ(image.ColorWithOverflow(-1, 0, 42, &red).rgbRed, 255);  // unknown: colour
  float fx = -1.5f, fy = 4;
  image.WrapCoordinates(fx, fy, DIBIMAGE_OVERFLOW_WRAP);
  EXPECT_FLOAT_EQ(fx, 8.5f);
}

TEST(DibSample, AreaAveragesAndGeometry) {
  CDibImage image;
  image.Create(4, 4, 24, 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) image.SetPixelColorRaw(x, y, RGBQUAD{0, 0, BYTE(x < 2 ? 0 : 200), 0});
  RGBQUAD c = image.SampleAreaColor(1.5f, 1.5f, 4, 4, 2, DIBIMAGE_OVERFLOW_REPEAT);
  EXPECT_NEAR(c.rgbRed, 100, 1);
  CDibRectF a(0, 0, 4, 2), b(1, 1, 6, 6);
  CDibRectF overlap = a.Intersect(b);
  EXPECT_FLOAT_EQ(overlap.Surface(), 3);
  EXPECT_FLOAT_EQ(overlap.Center().x, 2.5f);
  EXPECT_FLOAT_EQ(a.Intersect(CDibRectF(5, 5, 6, 6)).Surface(), 0);
  float r = 0, g = 0, bl = 0, al = 0;
  CDibImage::AccumulateWeighted(RGBQUAD{1, 2, 3, 4}, 0.5f, r, g, bl, al);
  EXPECT_FLOAT_EQ(r, 1.5f);
  EXPECT_FLOAT_EQ(al, 2);
}

}  // namespace
