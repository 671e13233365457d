#include <gtest/gtest.h>

#include <cstring>

#include <vector>

#include "imaging/dib_image.h"

namespace {

bool Same(RGBQUAD a, RGBQUAD b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed && a.rgbReserved == b.rgbReserved;
}

TEST(DibPixels, PackedIndexes) {
  CDibImage four;
  four.Create(4, 1, 4, 1);
  std::memset(four.GetRow(0), 0, 4);
  four.GetRow(0)[0] = 0x0A;
  four.SetPixelIndexSafe(0, 0, 0x1F);
  EXPECT_EQ(four.GetRow(0)[0], 0xFA);  // 15 in the high nibble, low nibble kept
  EXPECT_EQ(four.GetPixelIndexSafe(1, 0), 0x0A);
  four.SetPixelIndexSafe(1, 0, 3);
  EXPECT_EQ(four.GetRow(0)[0], 0xF3);

  CDibImage one;
  one.Create(16, 1, 1, 1);
  std::memset(one.GetRow(0), 0, 4);
  one.SetPixelIndexSafe(9, 0, 1);
  EXPECT_EQ(one.GetRow(0)[1], 0x40);  // pixel 9 is bit 6 of byte 1
  EXPECT_EQ(one.GetPixelIndexRaw(9, 0), 1);
  one.SetPixelIndexSafe(9, 0, 2);  // only the low bit counts
  EXPECT_EQ(one.GetRow(0)[1], 0);

  CDibImage eight;
  eight.Create(3, 2, 8, 1);
  eight.GetRow(0)[0] = 42;
  eight.SetPixelIndexSafe(2, 1, 7);
  EXPECT_EQ(eight.GetRow(1)[2], 7);
  eight.SetPixelIndexSafe(3, 1, 9);  // outside: ignored
  EXPECT_EQ(eight.GetPixelIndexSafe(-1, 0), 42);  // no transparency: the first pixel byte
  eight.SetTransparentIndex(3);
  EXPECT_EQ(eight.GetPixelIndexSafe(-1, 0), 3);
  CDibImage rgb;
  rgb.Create(2, 2, 24, 1);
  EXPECT_EQ(rgb.GetPixelIndexSafe(0, 0), 0);
}

TEST(DibPixels, ColoursWithAndWithoutAlpha) {
  CDibImage image;
  image.Create(2, 2, 24, 1);
  image.SetPixelColorRaw(1, 1, RGBQUAD{1, 2, 3, 200}, false);
  EXPECT_TRUE(Same(image.GetPixelColorRaw(1, 1, true), RGBQUAD{1, 2, 3, 0}));
  image.CreateAlpha();
  image.SetPixelColorRaw(1, 1, RGBQUAD{1, 2, 3, 200}, true);
  EXPECT_TRUE(Same(image.GetPixelColorRaw(1, 1, true), RGBQUAD{1, 2, 3, 200}));
  EXPECT_TRUE(Same(image.GetPixelColorSafe(1, 1, false), RGBQUAD{1, 2, 3, 0}));
  EXPECT_EQ(image.GetPixelAddress(1, 1), image.GetRow(1) + 3);
  // Outside, without transparency: pixel (0, 0) with alpha.
  image.SetPixelColorRaw(0, 0, RGBQUAD{9, 8, 7, 100}, true);
  EXPECT_TRUE(Same(image.GetPixelColorSafe(5, 5), RGBQUAD{9, 8, 7, 100}));
  // Outside with a transparent index on a 24-bit image: the transparent colour.
  image.SetTransparentColor(RGBQUAD{4, 5, 6, 0});
  image.SetTransparentIndex(0);
  EXPECT_TRUE(Same(image.GetPixelColorSafe(5, 5), RGBQUAD{4, 5, 6, 0}));

  CDibImage palette;
  palette.Create(2, 1, 8, 1);
  palette.SetPaletteEntry(0, 10, 20, 30, 40);
  palette.SetPaletteEntry(1, 50, 60, 70, 80);
  palette.SetPixelColorRaw(1, 0, RGBQUAD{69, 61, 49, 0}, false);  // nearest is entry 1
  EXPECT_EQ(palette.GetPixelIndexRaw(1, 0), 1);
  EXPECT_EQ(palette.GetPixelAddress(0, 0), nullptr);
  palette.SetTransparentIndex(1);
  EXPECT_TRUE(Same(palette.GetPixelColorSafe(-4, 0), RGBQUAD{70, 60, 50, 80}));
}

TEST(DibPalette, EntriesWritersAndGrey) {
  CDibImage image;
  image.Create(1, 1, 8, 1);
  image.SetPaletteEntry(255, 1, 2, 3, 4);
  EXPECT_TRUE(Same(image.GetPaletteEntry(255), RGBQUAD{3, 2, 1, 4}));
  const BYTE triples[] = {10, 20, 30, 40, 50, 60};
  image.SetPaletteRgb(triples, 2);
  EXPECT_TRUE(Same(image.GetPaletteEntry(1), RGBQUAD{60, 50, 40, 0}));
  image.FillGrayPalette();
  EXPECT_TRUE(image.IsGrayPalette());

  CDibImage sixteen;
  sixteen.Create(1, 1, 4, 1);
  EXPECT_TRUE(Same(sixteen.GetPaletteEntry(20), RGBQUAD{0, 0, 0, 0}));
  sixteen.FillGrayPalette();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(sixteen.GetPaletteEntry(BYTE(i)).rgbGreen, i * 17);
  EXPECT_FALSE(sixteen.IsGrayPalette());
  std::vector<RGBQUAD> many(300, RGBQUAD{1, 1, 1, 1});
  sixteen.CopyPaletteEntries(many.data(), 300);  // only the 16 entries the palette holds
  EXPECT_TRUE(Same(sixteen.GetPaletteEntry(15), RGBQUAD{1, 1, 1, 1}));
  EXPECT_EQ(sixteen.GetPaletteBytes(), 64u);

  CDibImage rgb;
  rgb.Create(1, 1, 24, 1);
  EXPECT_EQ(rgb.GetPaletteStart(), nullptr);
  EXPECT_FALSE(rgb.IsGrayPalette());
  rgb.SetPaletteEntry(0, 1, 1, 1);  // no palette: nothing happens
}

TEST(DibPalette, ImportantColours) {
  struct Case {
    DWORD bits, count, expect;
  } cases[] = {{1, 7, 2}, {1, 1, 1}, {4, 40, 16}, {8, 200, 200}, {8, 300, 0}, {8, 0, 0}, {24, 12, 0}};
  for (const Case& c : cases) {
    CDibImage image;
    image.Create(1, 1, c.bits, 1);
    image.SetImportantColors(c.count);
    EXPECT_EQ(image.GetHeader().biClrImportant, c.expect) << c.bits << "/" << c.count;
  }
}

TEST(DibPalette, NearestColourAndItsCache) {
  CDibImage image;
  image.Create(1, 1, 8, 1);
  image.SetImportantColors(3);
  image.SetPaletteEntry(0, 0, 0, 0);
  image.SetPaletteEntry(1, 10, 0, 0);
  image.SetPaletteEntry(2, 20, 0, 0);
  image.SetPaletteEntry(3, 5, 0, 0);  // beyond the important colours
  EXPECT_EQ(image.FindNearestIndex(RGBQUAD{0, 0, 5, 0}), 0);   // equal distance to 0 and 1: the lower
  EXPECT_EQ(image.FindNearestIndex(RGBQUAD{0, 0, 10, 0}), 1);  // exact match
  EXPECT_EQ(image.FindNearestIndex(RGBQUAD{0, 0, 19, 0}), 2);
  image.SetPaletteEntry(2, 200, 0, 0);  // invalidates the cached answer
  EXPECT_EQ(image.FindNearestIndex(RGBQUAD{0, 0, 19, 0}), 1);
  CDibImage rgb;
  rgb.Create(1, 1, 24, 1);
  EXPECT_EQ(rgb.FindNearestIndex(RGBQUAD{1, 2, 3, 0}), 0);
}

TEST(DibPlanes, AlphaPlane) {
  CDibImage image;
  image.Create(3, 2, 24, 1);
  EXPECT_FALSE(image.HasAlpha());
  EXPECT_EQ(image.GetAlphaAt(0, 0), 0);
  EXPECT_TRUE(image.CreateAlpha());
  EXPECT_EQ(image.GetAlphaAt(2, 1), 255);
  image.SetAlphaAt(0, 0, 7);
  image.SetAlphaAt(3, 0, 9);  // outside: ignored
  EXPECT_TRUE(image.CreateAlpha());  // keeps the values
  EXPECT_EQ(image.GetAlphaAt(0, 0), 7);
  EXPECT_EQ(*image.GetAlphaPointer(0, 0), 7);
  EXPECT_EQ(image.GetAlphaPointer(0, 2), nullptr);
  image.InvertAlpha();
  EXPECT_EQ(image.GetAlphaAtRaw(0, 0), 248);
  EXPECT_TRUE(image.FlipAlpha());
  EXPECT_EQ(image.GetAlphaAt(0, 1), 248);
  image.DeleteAlpha();
  EXPECT_FALSE(image.FlipAlpha());
}

TEST(DibPlanes, SelectionPlane) {
  CDibImage image;
  image.Create(4, 4, 24, 1);
  EXPECT_TRUE(image.IsSelectedRaw(0, 0));  // no plane: everything counts as selected
  ASSERT_TRUE(image.CreateSelection());
  image.SetSelectedRaw(1, 0, true);
  EXPECT_FALSE(image.IsSelectedRaw(0, 0));
  EXPECT_TRUE(image.IsSelectedRaw(1, 0));
  EXPECT_TRUE(image.FlipSelection());
  EXPECT_TRUE(image.IsSelectedRaw(1, 3));
  EXPECT_EQ(image.GetInfo().selectionBox.bottom, 3);
  EXPECT_EQ(image.GetInfo().selectionBox.top, 4);
  EXPECT_TRUE(image.DeleteSelection());
  EXPECT_EQ(image.GetInfo().selectionBox.left, 4);
  EXPECT_EQ(image.GetInfo().selectionBox.bottom, 4);
  EXPECT_FALSE(image.FlipSelection());
}

TEST(DibWhole, FlipRowsKeepsTheMiddleRow) {
  CDibImage image;
  image.Create(1, 3, 8, 1);
  for (int r = 0; r < 3; ++r) image.GetRow(r)[0] = BYTE(r + 1);
  image.CreateAlpha();
  image.SetAlphaAt(0, 0, 11);
  EXPECT_TRUE(image.FlipRows(true, true));
  EXPECT_EQ(image.GetRow(0)[0], 3);
  EXPECT_EQ(image.GetRow(1)[0], 2);
  EXPECT_EQ(image.GetRow(2)[0], 1);
  EXPECT_EQ(image.GetAlphaAt(0, 2), 11);
  CDibImage empty;
  EXPECT_FALSE(empty.FlipRows());
}

TEST(DibWhole, Invert) {
  CDibImage rgb;
  rgb.Create(1, 1, 24, 1);
  rgb.SetPixelColorRaw(0, 0, RGBQUAD{0, 100, 255, 0});
  rgb.SetTransparentColor(RGBQUAD{0, 100, 255, 0});
  EXPECT_TRUE(rgb.Invert());
  EXPECT_TRUE(Same(rgb.GetPixelColorRaw(0, 0), RGBQUAD{255, 155, 0, 0}));
  EXPECT_TRUE(Same(rgb.GetTransparentColor(), RGBQUAD{255, 155, 0, 0}));  // the key follows

  CDibImage colours;
  colours.Create(2, 1, 8, 1);
  colours.SetPaletteEntry(0, 255, 0, 0);
  colours.GetRow(0)[0] = 0;
  EXPECT_TRUE(colours.Invert());
  EXPECT_TRUE(Same(colours.GetPaletteEntry(0), RGBQUAD{255, 255, 0, 0}));  // the palette changes
  EXPECT_EQ(colours.GetRow(0)[0], 0);                                      // the pixels stay

  CDibImage grey;
  grey.Create(2, 1, 8, 1);
  grey.FillGrayPalette();
  grey.GetRow(0)[0] = 10;
  EXPECT_TRUE(grey.Invert());
  EXPECT_EQ(grey.GetRow(0)[0], 245);
  CDibImage empty;
  EXPECT_FALSE(empty.Invert());
}

TEST(DibWhole, BitfieldsToRgb) {
  struct Case {
    std::uint16_t word;
    DWORD red, green, blue;
    BYTE r, g, b;
  } cases[] = {{0xFFFF, 0xF800, 0x07E0, 0x001F, 248, 252, 248},
               {0x7FFF, 0x7C00, 0x03E0, 0x001F, 248, 248, 248},
               {0x001F, 0x7C00, 0x03E0, 0x001F, 0, 0, 248},
               {0x7C00, 0x7C00, 0x03E0, 0x001F, 248, 0, 0}};
  for (const Case& c : cases) {
    CDibImage image;
    image.Create(3, 2, 24, 1);
    // 16-bit rows of ((3 + 1) / 2) x 4 = 8 bytes, in the pixel rows themselves.
    std::vector<BYTE> source(16, 0);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        source[y * 8 + 2 * x] = BYTE(c.word);
        source[y * 8 + 2 * x + 1] = BYTE(c.word >> 8);
      }
    std::memcpy(image.GetRow(0), source.data(), source.size());
    image.BitfieldsToRgb(image.GetRow(0), c.red, c.green, c.blue, 16);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_TRUE(Same(image.GetPixelColorRaw(x, y), RGBQUAD{c.b, c.g, c.r, 0}));
  }
  CDibImage image;
  image.Create(2, 1, 24, 1);
  const BYTE pixels[] = {1, 2, 3, 4, 5, 6, 7, 8};
  image.BitfieldsToRgb(pixels, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 32);
  EXPECT_TRUE(Same(image.GetPixelColorRaw(0, 0), RGBQUAD{2, 3, 4, 0}));
  EXPECT_TRUE(Same(image.GetPixelColorRaw(1, 0), RGBQUAD{6, 7, 8, 0}));
}

TEST(DibRowIterator, SetYAcceptsTheHeightItself) {
  CDibImage image;
  image.Create(2, 3, 24, 1);
  CDibRowIterator rows(&image);
  EXPECT_EQ(rows.GetRow(), image.GetRow(0));
  EXPECT_EQ(rows.SetY(2), image.GetRow(2));
  EXPECT_EQ(rows.SetY(3), image.GetRow(0) + 3 * image.GetRowBytes());
  EXPECT_EQ(rows.SetY(4), image.GetRow(0) + 3 * image.GetRowBytes());  // out of range: unchanged
  EXPECT_EQ(rows.SetY(-1), image.GetRow(0) + 3 * image.GetRowBytes());
}

}  // namespace
