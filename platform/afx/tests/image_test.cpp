#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx/image.h"
#include "canvas.h"
#include "win/resources.h"

namespace {

using afx_test::Canvas;

HRESULT LoadBytes(CImage& image, const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
  if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(block, TRUE, &stream);
  HRESULT hr = image.Load(stream);
  stream->Release();
  return hr;
}

// A "PNG" resource of the test program, loaded as the browser loads its
// skins: through a memory block and a stream on it.
HRESULT LoadResourcePicture(CImage& image, WORD id) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), u"PNG");
  if (!resource) return E_FAIL;
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  return LoadBytes(image, std::string(bytes, SizeofResource(nullptr, resource)));
}

struct Bgra {
  BYTE b, g, r, a;
};

// The colours of straight_alpha_3x2.png, row by row, as red, green, blue,
// alpha.
const BYTE kStraight[2][3][4] = {{{200, 100, 50, 128}, {0, 0, 0, 0}, {255, 255, 255, 255}},
                                 {{10, 20, 30, 255}, {40, 80, 160, 64}, {250, 0, 125, 255}}};

TEST(CImageTest, LoadKeepsStraightAlphaInATopDownSection) {
  CImage image;
  EXPECT_TRUE(image.IsNull());
  ASSERT_EQ(LoadResourcePicture(image, 9001), S_OK);
  EXPECT_FALSE(image.IsNull());
  EXPECT_EQ(image.GetWidth(), 3);
  EXPECT_EQ(image.GetHeight(), 2);
  EXPECT_EQ(image.GetBPP(), 32);
  EXPECT_EQ(image.GetPitch(), 12);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const auto* pixel = static_cast<const Bgra*>(image.GetPixelAddress(x, y));
      ASSERT_NE(pixel, nullptr);
      EXPECT_EQ(std::vector<BYTE>({pixel->r, pixel->g, pixel->b, pixel->a}),
                std::vector<BYTE>(kStraight[y][x], kStraight[y][x] + 4))
          << x << "," << y;
      EXPECT_EQ(static_cast<const BYTE*>(image.GetBits()) + y * image.GetPitch() + x * 4,
                reinterpret_cast<const BYTE*>(pixel));
    }
  }
  EXPECT_EQ(image.GetPixelAddress(3, 0), nullptr);

  CImage opaque;
  ASSERT_EQ(LoadResourcePicture(opaque, 9002), S_OK);
  EXPECT_EQ(opaque.GetBPP(), 24);
  EXPECT_EQ(opaque.GetPitch(), 12);  // 9 bytes padded to 4
}

TEST(CImageTest, FailedLoadsLeaveTheImageEmpty) {
  const struct {
    const char* name;
    std::string bytes;
    HRESULT result;
  } cases[] = {
      {"empty stream", "", E_FAIL},
      {"text", "plain text, no picture", E_FAIL},
      {"a PNG signature alone", std::string("\x89PNG\r\n\x1a\n", 8), E_FAIL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CImage image;
    ASSERT_EQ(LoadResourcePicture(image, 9001), S_OK);
    EXPECT_EQ(LoadBytes(image, c.bytes), c.result);
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetBits(), nullptr);
    Canvas canvas(2, 2, RGB(255, 255, 255));
    EXPECT_FALSE(image.Draw(canvas.dc, 0, 0));
  }
  CImage image;
  EXPECT_EQ(image.Load(nullptr), E_POINTER);
}

// Premultiplies in place, truncating, as the browser does once after loading.
void Premultiply(CImage& image) {
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) {
      auto* p = static_cast<Bgra*>(image.GetPixelAddress(x, y));
      p->r = static_cast<BYTE>(p->r * p->a / 255);
      p->g = static_cast<BYTE>(p->g * p->a / 255);
      p->b = static_cast<BYTE>(p->b * p->a / 255);
    }
  }
}

// What source-over gives on white for a premultiplied pixel.
COLORREF OverWhite(const BYTE straight[4]) {
  auto channel = [&](BYTE value) {
    int premultiplied = value * straight[3] / 255;
    return static_cast<BYTE>(premultiplied + 255 * (255 - straight[3]) / 255);
  };
  return RGB(channel(straight[0]), channel(straight[1]), channel(straight[2]));
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

TEST(CImageTest, DrawBlendsEachPixelAndStretchesByTheNearestPixel) {
  CImage image;
  ASSERT_EQ(LoadResourcePicture(image, 9001), S_OK);
  Premultiply(image);
  const struct {
    const char* name;
    int scale;
  } cases[] = {{"own size", 1}, {"twice the size", 2}, {"three times", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(12, 8, RGB(255, 255, 255));
    EXPECT_TRUE(image.Draw(canvas.dc, CRect(1, 1, 1 + 3 * c.scale, 1 + 2 * c.scale)));
    for (int y = 0; y < 2 * c.scale; ++y) {
      for (int x = 0; x < 3 * c.scale; ++x) {
        COLORREF expected = OverWhite(kStraight[y / c.scale][x / c.scale]);
        EXPECT_TRUE(Near(canvas.At(1 + x, 1 + y), expected)) << x << "," << y << ": " << std::hex
                                                             << canvas.At(1 + x, 1 + y) << " not " << expected;
      }
    }
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(1 + 3 * c.scale, 1), RGB(255, 255, 255));
  }
}

TEST(CImageTest, FramesOfAStripAndCopiesOfOpaquePictures) {
  CImage image;
  ASSERT_EQ(LoadResourcePicture(image, 9002), S_OK);
  const COLORREF colours[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                  {RGB(0, 0, 0), RGB(128, 128, 128), RGB(255, 255, 255)}};
  Canvas canvas(8, 4, RGB(255, 255, 255));
  canvas.dc.SetStretchBltMode(HALFTONE);
  // The middle column as one frame, stretched two wide.
  EXPECT_TRUE(image.Draw(canvas.dc, CRect(0, 0, 2, 2), CRect(1, 0, 2, 2)));
  // The whole picture copied at (3, 1).
  EXPECT_TRUE(image.Draw(canvas.dc, 3, 1));
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(canvas.At(0, y), colours[y][1]);
    EXPECT_EQ(canvas.At(1, y), colours[y][1]);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.At(3 + x, 1 + y), colours[y][x]);
  }
  // Shrunk: each pixel is one of the picture's, never a mix of them.
  EXPECT_TRUE(image.Draw(canvas.dc, CRect(0, 3, 3, 4)));
  for (int x = 0; x < 3; ++x) {
    COLORREF got = canvas.At(x, 3);
    EXPECT_TRUE(got == colours[0][x] || got == colours[1][x]) << x << ": " << std::hex << got;
  }
  // The DC keeps its own stretch mode.
  EXPECT_EQ(canvas.dc.SetStretchBltMode(HALFTONE), HALFTONE);
  // Nothing for a negative size.
  EXPECT_FALSE(image.Draw(canvas.dc, 7, 0, -2, 2));
  EXPECT_EQ(canvas.At(6, 0), RGB(255, 255, 255));
}

}  // namespace
