#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "fixture_ids.h"
#include "image_manifest.h"
#include "my_image.h"
#include "pixel_reader.h"

namespace {

using namespace ui_test;

struct Bgra {
  int b, g, r, a;
};

Bgra PixelOf(CMyImage& image, int x, int y) {
  const auto* p = static_cast<const BYTE*>(image.GetPixelAddress(x, y));
  return Bgra{p[0], p[1], p[2], image.GetBPP() == 32 ? p[3] : 255};
}

TEST(MyImage, PremultipliedOnceAtLoadTruncating) {
  struct Case {
    int x;
    int r, g, b, a;  // stored after loading
  };
  // Straight colours in the file: (200,100,50,128) (255,255,255,255)
  // (10,20,30,0) (255,0,128,1) (200,100,50,254).
  const Case cases[] = {
      {0, 100, 50, 25, 128}, {1, 255, 255, 255, 255}, {2, 0, 0, 0, 0}, {3, 1, 0, 0, 1}, {4, 199, 99, 49, 254},
  };
  CMyImage image;
  ASSERT_EQ(LoadPngImage(kPremultiplyPng, &image, 1, 1), TRUE);
  ASSERT_EQ(image.GetBPP(), 32);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    const Bgra p = PixelOf(image, c.x, 0);
    EXPECT_EQ(p.r, c.r);
    EXPECT_EQ(p.g, c.g);
    EXPECT_EQ(p.b, c.b);
    EXPECT_EQ(p.a, c.a) << "alpha stays";
  }
}

TEST(MyImage, AnImageWithoutAlphaIsLeftAsItIs) {
  CMyImage image;
  ASSERT_EQ(LoadPngImage(kOpaquePng, &image, 1, 1), TRUE);
  EXPECT_EQ(image.GetBPP(), 24);
  const Bgra top = PixelOf(image, 2, 0);
  const Bgra bottom = PixelOf(image, 0, 1);
  EXPECT_EQ(top.r, 200);
  EXPECT_EQ(top.g, 100);
  EXPECT_EQ(top.b, 50);
  EXPECT_EQ(bottom.r, 1);
  EXPECT_EQ(bottom.b, 3);
}

TEST(MyImage, FrameSizeByRowsAndColumns) {
  struct Case {
    int rows, columns, frameWidth, frameHeight;
  };
  // The fixture is 10 x 5.
  const Case cases[] = {{1, 1, 10, 5}, {1, 4, 2, 5}, {2, 3, 3, 2}, {5, 10, 1, 1}, {1, 11, 0, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns);
    CMyImage image;
    ASSERT_EQ(LoadPngImage(kFramesPng, &image, c.rows, c.columns), TRUE);
    EXPECT_EQ(image.m_nFrameWidth, c.frameWidth);
    EXPECT_EQ(image.m_nFrameHeight, c.frameHeight);
  }
}

TEST(MyImage, FailuresReturnZeroAndKeepTheFrameSize) {
  struct Case {
    const char* name;
    UINT id;
    int rows, columns;
    bool emptied;  // the image was given up for the new picture
  };
  const Case cases[] = {
      {"missing resource", kMissing, 1, 4, false},
      {"empty resource", kEmptyPng, 1, 4, false},
      {"no picture", kNotAPicture, 1, 4, true},
      {"no columns", kFramesPng, 1, 0, false},
      {"no rows", kFramesPng, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CMyImage image;
    ASSERT_EQ(LoadPngImage(kFramesPng, &image, 1, 2), TRUE);
    EXPECT_EQ(LoadPngImage(c.id, &image, c.rows, c.columns), FALSE);
    EXPECT_EQ(image.IsNull(), c.emptied);
    EXPECT_EQ(image.m_nFrameWidth, 5);
    EXPECT_EQ(image.m_nFrameHeight, 5);
  }
  EXPECT_EQ(LoadPngImage(kFramesPng, nullptr, 1, 1), FALSE);
}

TEST(MyImage, DrawFrameBlendsOneFrameAtItsPlace) {
  CMyImage image;
  ASSERT_EQ(LoadPngImage(kFramesPng, &image, 1, 5), TRUE);  // frames of 2 x 5
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  CBitmap canvas;
  ASSERT_TRUE(canvas.CreateCompatibleBitmap(&memory, 8, 8));
  CBitmap* before = memory.SelectObject(&canvas);
  memory.FillSolidRect(0, 0, 8, 8, RGB(0, 0, 255));
  ASSERT_TRUE(image.DrawFrame(memory, 3, 1, 2));
  Pixels drawn(memory.m_hDC, 0, 0, 8, 8);
  memory.SelectObject(before);
  // Frame 3 is columns 6 and 7 of the file: red 20 x column, green 40 x row.
  EXPECT_EQ(drawn.At(1, 2), RGB(120, 0, 0));
  EXPECT_EQ(drawn.At(2, 6), RGB(140, 160, 0));
  EXPECT_EQ(drawn.At(0, 2), RGB(0, 0, 255)) << "nothing left of the frame";
  EXPECT_EQ(drawn.At(3, 2), RGB(0, 0, 255)) << "nothing right of the frame";
  EXPECT_EQ(drawn.At(1, 7), RGB(0, 0, 255)) << "nothing below the frame";
}

// Every PNG of the program loads as a 32-bit image at the size and frame
// count its manifest gives.
TEST(MyImage, EveryProgramPngAtItsSizeAndFrameCount) {
  const std::vector<ManifestImage> images = ProgramImages();
  ASSERT_FALSE(images.empty()) << "images.txt";
  int checked = 0;
  for (const auto& [id, kind, file, width, height, frames, bits] : images) {
    if (kind != "PNG") continue;
    SCOPED_TRACE(file);
    CMyImage image;
    ASSERT_EQ(LoadPngImage(id, &image, 1, frames), TRUE);
    EXPECT_EQ(image.GetWidth(), width);
    EXPECT_EQ(image.GetHeight(), height);
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_EQ(bits, 32);
    EXPECT_EQ(width % frames, 0) << "frames of equal width";
    EXPECT_EQ(image.m_nFrameWidth, width / frames);
    ++checked;
  }
  EXPECT_GE(checked, 19);
}

}  // namespace
