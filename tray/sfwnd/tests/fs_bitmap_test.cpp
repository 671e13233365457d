#include "sfwnd/fs_bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "sfwnd_test_support.h"

namespace {

using sfwnd_test::Box;
using sfwnd_test::Skin;
using sfwnd_test::Surface;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kFrameColours[4] = {0x102030, 0x405060, 0x708090, 0xA0B0C0};

// Four 10 x 10 frames side by side, each of one colour; in each frame the
// right half is a lighter variant so sub-rectangles can be told apart.
std::uint32_t StripPixel(int x, int y) {
  const std::uint32_t colour = kFrameColours[x / 10];
  return (x % 10) < 5 ? colour : colour + 0x050505;
}

TEST(FSBitmapTest, AttachTakesFramesFromTheBitmap) {
  struct Row {
    int width, height, bits, count;
    int frameWidth, frameHeight;
    bool alpha;
  };
  const Row rows[] = {
      {84, 20, 32, 4, 21, 20, true}, {504, 31, 32, 4, 126, 31, true}, {30, 12, 24, 3, 10, 12, false},
      {7, 1, 32, 1, 7, 1, true},     {10, 5, 24, 3, 3, 5, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.width);
    Skin skin(row.width, row.height, row.bits, [](int, int) { return 0xFF000000u; });
    CFSBitmap bitmap;
    bitmap.Attach(skin.bitmap, row.count);
    EXPECT_EQ(bitmap.GetBitmap(), skin.bitmap);
    EXPECT_EQ(bitmap.GetFrameCount(), row.count);
    EXPECT_EQ(bitmap.GetFrameWidth(), row.frameWidth);
    EXPECT_EQ(bitmap.GetHeight(), row.frameHeight);
    EXPECT_EQ(bitmap.HasAlpha(), row.alpha);
  }
}

TEST(FSBitmapTest, NoBitmapOrAFrameOutsideTheStripDrawsNothing) {
  Skin strip(40, 10, 24, StripPixel);
  struct Case {
    HBITMAP bitmap;
    int count, frame;
  } const cases[] = {{nullptr, 1, 0}, {strip.bitmap, 0, 0}, {strip.bitmap, 4, -1}, {strip.bitmap, 4, 4},
                     {strip.bitmap, 4, 100}};
  Surface surface(30, 30);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + " frames, frame " + std::to_string(c.frame));
    CFSBitmap bitmap;
    bitmap.Attach(c.bitmap, c.count);
    if (c.count < 4) {
      EXPECT_EQ(bitmap.GetFrameWidth(), 0);
      EXPECT_EQ(bitmap.GetHeight(), 0);
      EXPECT_FALSE(bitmap.HasAlpha());
    }
    EXPECT_EQ(bitmap.Draw(surface.dc, 0, 0, c.frame), 0);
    EXPECT_EQ(bitmap.StretchFrame(surface.dc, 0, 0, 30, 30, c.frame), 0);
    EXPECT_EQ(bitmap.StretchFrameFullHeight(surface.dc, 0, 0, 30, c.frame), 0);
    EXPECT_EQ(bitmap.DrawEx(surface.dc, 0, 0, 5, 5, 0, 0, 5, 5, c.frame), 0);
  }
  EXPECT_EQ(surface.InkBox(kWhite).right, 0);
}

TEST(FSBitmapTest, DrawCopiesOneFrameAtItsSize) {
  Skin skin(40, 10, 24, StripPixel);
  CFSBitmap bitmap;
  bitmap.Attach(skin.bitmap, 4);
  for (int frame = 0; frame < 4; ++frame) {
    SCOPED_TRACE(frame);
    Surface surface(30, 30);
    ASSERT_EQ(bitmap.Draw(surface.dc, 7, 9, frame), 1);
    EXPECT_EQ(Box(surface.InkBox(kWhite)), "7,9,17,19");
    EXPECT_EQ(surface.Rgb(7, 9), kFrameColours[frame]);
    EXPECT_EQ(surface.Rgb(16, 18), kFrameColours[frame] + 0x050505);
  }
}

TEST(FSBitmapTest, StretchingCoversTheTargetWithTheWholeFrame) {
  Skin skin(40, 10, 24, StripPixel);
  CFSBitmap bitmap;
  bitmap.Attach(skin.bitmap, 4);
  Surface surface(60, 60);
  ASSERT_EQ(bitmap.StretchFrame(surface.dc, 4, 6, 40, 30, 2), 1);
  EXPECT_EQ(Box(surface.InkBox(kWhite)), "4,6,44,36");
  // Doubled width: the darker half fills the first 20 columns.
  EXPECT_EQ(surface.Rgb(4, 6), kFrameColours[2]);
  EXPECT_EQ(surface.Rgb(43, 35), kFrameColours[2] + 0x050505);

  Surface full(60, 60);
  ASSERT_EQ(bitmap.StretchFrameFullHeight(full.dc, 3, 3, 25, 1), 1);
  const RECT fullInk = full.InkBox(kWhite);
  EXPECT_EQ(fullInk.right - fullInk.left, 25);
  EXPECT_EQ(fullInk.bottom - fullInk.top, 10);
  EXPECT_EQ(full.Rgb(3, 3), kFrameColours[1]);
}

TEST(FSBitmapTest, DrawExTakesTheRectangleInsideTheFrame) {
  Skin skin(40, 10, 24, StripPixel);
  CFSBitmap bitmap;
  bitmap.Attach(skin.bitmap, 4);
  Surface surface(30, 30);
  // The right half of frame 3, at 1:1 and then doubled.
  ASSERT_EQ(bitmap.DrawEx(surface.dc, 0, 0, 5, 10, 5, 0, 5, 10, 3), 1);
  ASSERT_EQ(bitmap.DrawEx(surface.dc, 10, 0, 10, 20, 5, 0, 5, 10, 3), 1);
  EXPECT_EQ(surface.InkBox(kWhite, RECT{0, 0, 10, 30}).right, 5);
  EXPECT_EQ(surface.InkBox(kWhite, RECT{10, 0, 30, 30}).right, 20);
  EXPECT_EQ(surface.InkBox(kWhite, RECT{10, 0, 30, 30}).bottom, 20);
  for (int x : {0, 4, 10, 19}) EXPECT_EQ(surface.Rgb(x, 0), kFrameColours[3] + 0x050505) << x;
}

// One channel of premultiplied source over destination.
int Over(int source, int alpha, int destination) { return source + destination * (255 - alpha) / 255; }

TEST(FSBitmapTest, AlphaSkinsBlendPremultipliedOverTheTarget) {
  // Frame 0: clear left column, half-covered red, opaque green right column.
  // Frame 1: opaque blue.
  Skin skin(6, 2, 32, [](int x, int) -> std::uint32_t {
    if (x >= 3) return 0xFF0000FF;
    if (x == 0) return 0x00000000;
    if (x == 1) return 0x80800000;  // alpha 128, red 128 (premultiplied)
    return 0xFF00FF00;
  });
  CFSBitmap bitmap;
  bitmap.Attach(skin.bitmap, 2);
  ASSERT_TRUE(bitmap.HasAlpha());

  const std::uint32_t background = 0x4060C8;
  Surface surface(10, 10, background);
  ASSERT_EQ(bitmap.Draw(surface.dc, 2, 3, 0), 1);
  EXPECT_EQ(surface.Rgb(2, 3), background);  // fully transparent
  EXPECT_EQ(surface.Rgb(4, 3), 0x00FF00u);   // opaque
  const std::uint32_t half = surface.Rgb(3, 3);
  EXPECT_NEAR(int(half >> 16), Over(128, 128, 0x40), 1);
  EXPECT_NEAR(int((half >> 8) & 0xFF), Over(0, 128, 0x60), 1);
  EXPECT_NEAR(int(half & 0xFF), Over(0, 128, 0xC8), 1);
  EXPECT_EQ(surface.Rgb(1, 3), background);
  EXPECT_EQ(surface.Rgb(5, 3), background);

  ASSERT_EQ(bitmap.StretchFrame(surface.dc, 0, 6, 9, 3, 1), 1);
  EXPECT_EQ(surface.Rgb(0, 6), 0x0000FFu);
  EXPECT_EQ(surface.Rgb(8, 8), 0x0000FFu);
  EXPECT_EQ(surface.Rgb(9, 8), background);
}

}  // namespace
