#include <gtest/gtest.h>

#include <string>

#include "imaging/dib_image.h"

namespace {

std::string Error(const CDibImage& image) { return image.GetErrorText(); }

TEST(DibImageCreate, RoundsBitCountsAndSizesTheBlock) {
  struct Case {
    DWORD width, height, bitCount;
    WORD bits;
    DWORD colors, effWidth;
    std::size_t dibSize;
  } cases[] = {
      {3, 2, 24, 24, 0, 12, 40 + 24},       {3, 2, 1, 1, 2, 4, 40 + 8 + 8},   {3, 2, 0, 1, 2, 4, 56},
      {3, 2, 3, 4, 16, 4, 40 + 64 + 8},     {3, 2, 7, 8, 256, 4, 40 + 1024 + 8}, {3, 2, 16, 24, 0, 12, 64},
      {3, 2, 32, 24, 0, 12, 64},            {33, 1, 1, 1, 2, 8, 40 + 8 + 8},
  };
  for (const Case& c : cases) {
    CDibImage image;
    ASSERT_NE(image.Create(c.width, c.height, c.bitCount, DIBIMAGE_FORMAT_BMP), nullptr) << c.bitCount;
    EXPECT_EQ(image.GetBitCount(), c.bits);
    EXPECT_EQ(image.GetHeader().biClrUsed, c.colors);
    EXPECT_EQ(image.GetRowBytes(), c.effWidth);
    EXPECT_EQ(image.GetDibSize(), c.dibSize);
    EXPECT_EQ(image.GetType(), DIBIMAGE_FORMAT_BMP);
    // The header copy starts the block; the pixel rows follow the palette.
    auto* header = static_cast<BITMAPINFOHEADER*>(image.GetDib());
    EXPECT_EQ(header->biWidth, LONG(c.width));
    EXPECT_EQ(image.GetRow(0), static_cast<BYTE*>(image.GetDib()) + 40 + c.colors * 4);
    for (DWORD i = 0; i < c.colors * 4; ++i) EXPECT_EQ(static_cast<BYTE*>(image.GetDib())[40 + i], 0);
  }
}

TEST(DibImageCreate, RefusesEmptyAndOversizedImages) {
  struct Case {
    DWORD width, height, bitCount;
    bool ok;
    const char* error;
  } cases[] = {
      {0, 5, 24, false, "CDibImage::Create : width and height must be greater than zero"},
      {5, 0, 24, false, "CDibImage::Create : width and height must be greater than zero"},
      {8192, 8192, 32, true, ""},                                    // p / 8 = 201326592
      {16384, 16384, 8, true, ""},                                   // exactly the limit
      {16384, 16385, 8, false, "DIBIMAGE_MAX_MEMORY exceeded"},      // one row more
      {65536, 65536, 1, false, "DIBIMAGE_MAX_MEMORY exceeded"},      // wrapped to 0 in 32 bits
      {65536, 65536, 24, false, "DIBIMAGE_MAX_MEMORY exceeded"},
      {0xFFFFFFFF, 0xFFFFFFFF, 24, false, "DIBIMAGE_MAX_MEMORY exceeded"},
      {1, 0x80000000u, 1, false, "DIBIMAGE_MAX_MEMORY exceeded"},    // padded rows beyond the limit
      {0x80000000u, 1, 1, false, "DIBIMAGE_MAX_MEMORY exceeded"},    // width beyond the header's range
  };
  for (const Case& c : cases) {
    CDibImage image;
    image.Create(2, 2, 8, 1);  // a failed creation leaves the image empty
    void* block = image.Create(c.width, c.height, c.bitCount, 1);
    EXPECT_EQ(block != nullptr, c.ok) << c.width << "x" << c.height << "x" << c.bitCount;
    EXPECT_EQ(image.IsValid(), c.ok);
    if (!c.ok) {
      EXPECT_EQ(Error(image), c.error);
    }
  }
}

TEST(DibImage, ResolutionSetters) {
  struct Case {
    LONG dpi, stored, perMeter;
  } cases[] = {{0, 96, 3780}, {-5, 96, 3780}, {72, 72, 2835}, {300, 300, 11811}, {96, 96, 3780},
                 {2147483647, 2147483647, 2147483647}};
  for (const Case& c : cases) {
    CDibImage image;
    image.Create(1, 1, 24, 1);
    image.SetDpiX(c.dpi);
    image.SetDpiY(c.dpi);
    EXPECT_EQ(image.GetDpiX(), c.stored);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, c.perMeter);
    EXPECT_EQ(static_cast<BITMAPINFOHEADER*>(image.GetDib())->biYPelsPerMeter, c.perMeter);
  }
  CDibImage fresh;
  EXPECT_EQ(fresh.GetHeader().biXPelsPerMeter, 3780);
  EXPECT_EQ(fresh.GetTransparentIndex(), -1);
  EXPECT_EQ(fresh.GetAlphaMax(), 255);
  EXPECT_TRUE(fresh.IsEnabled());
  EXPECT_EQ(Error(fresh), "");
}

TEST(DibImage, TransparencyAndTypes) {
  CDibImage palette;
  palette.Create(2, 2, 8, 1);
  palette.SetTransparentIndex(300);
  EXPECT_EQ(palette.GetTransparentIndex(), 0);
  palette.SetTransparentIndex(5);
  EXPECT_EQ(palette.GetTransparentIndex(), 5);
  palette.SetTransparentIndex(-1);
  EXPECT_EQ(palette.GetTransparentIndex(), -1);
  palette.SetPaletteEntry(5, 1, 2, 3, 9);
  palette.SetTransparentIndex(5);
  RGBQUAD key = palette.GetTransparentColor();
  EXPECT_EQ(key.rgbRed, 1);
  EXPECT_EQ(key.rgbReserved, 9);  // the whole palette entry

  CDibImage rgb;
  rgb.Create(2, 2, 24, 1);
  rgb.SetTransparentIndex(5);
  EXPECT_EQ(rgb.GetTransparentIndex(), 0);
  rgb.SetTransparentColor(RGBQUAD{10, 20, 30, 40});
  key = rgb.GetTransparentColor();
  EXPECT_EQ(key.rgbBlue, 10);
  EXPECT_EQ(key.rgbReserved, 0);

  struct TypeCase {
    DWORD type;
    bool ok;
    DWORD stored;
  } types[] = {{1, true, 1}, {4, true, 4}, {5, true, 5}, {2, false, 0}, {0, false, 0}, {77, false, 0}};
  for (const TypeCase& t : types) {
    CDibImage image(4);
    EXPECT_EQ(image.SetType(t.type), t.ok);
    EXPECT_EQ(image.GetType(), t.stored);
  }
  CDibImage png(4);
  png.SetFormatOption(7, 2);  // no slot of its own: the image's own type decides
  EXPECT_EQ(png.GetFormatOption(4), 7u);
  png.SetFormatOption(3, 1);
  EXPECT_EQ(png.GetFormatOption(1), 3u);
  EXPECT_EQ(png.GetFormatOption(4), 7u);
}

TEST(DibImage, TransferMovesEverythingAndEmptiesTheSource) {
  CDibImage source(5);
  source.Create(4, 3, 24, 5);
  source.CreateAlpha();
  source.SetAlphaAt(1, 1, 77);
  source.SetTransparentIndex(0);
  void* block = source.GetDib();
  CDibImage target;
  target.Create(9, 9, 8, 1);
  EXPECT_TRUE(target.Transfer(source, false));
  EXPECT_EQ(target.GetDib(), block);
  EXPECT_EQ(target.GetWidth(), 4u);
  EXPECT_EQ(target.GetType(), 5u);
  EXPECT_EQ(target.GetAlphaAt(1, 1), 77);
  EXPECT_EQ(target.GetTransparentIndex(), 0);
  EXPECT_FALSE(source.IsValid());
  EXPECT_EQ(source.GetWidth(), 0u);
  EXPECT_EQ(source.GetHeight(), 0u);
  EXPECT_FALSE(source.HasAlpha());
}

TEST(DibImage, CopyInfoOnlyIntoAnEmptyImage) {
  CDibImage settings;
  settings.SetDecodeEscape(-1);
  settings.SetFrameIndex(3);
  CDibImage empty;
  empty.CopyInfoFrom(settings);
  EXPECT_EQ(empty.GetInfo().escape, -1);
  EXPECT_EQ(empty.GetFrameIndex(), 3);
  CDibImage full;
  full.Create(1, 1, 24, 1);
  full.CopyInfoFrom(settings);
  EXPECT_EQ(full.GetInfo().escape, 0);
}

TEST(DibImage, RowsAndBounds) {
  CDibImage image;
  EXPECT_EQ(image.GetRow(0), nullptr);
  image.Create(3, 4, 24, 1);
  EXPECT_NE(image.GetRow(3), nullptr);
  EXPECT_EQ(image.GetRow(4), nullptr);
  EXPECT_EQ(image.GetRow(-1), nullptr);
  EXPECT_EQ(image.GetRow(2) - image.GetRow(1), 12);
  EXPECT_TRUE(image.Contains(2, 3));
  EXPECT_FALSE(image.Contains(3, 0));
  EXPECT_FALSE(image.Contains(0, -1));
  EXPECT_TRUE(image.Destroy());
  EXPECT_EQ(image.GetRow(0), nullptr);
  EXPECT_EQ(image.GetWidth(), 3u);  // the header outlives the pixels
}

}  // namespace
