#include <gtest/gtest.h>

#include <cstring>

#include <string>

#include "image_samples.h"
#include "imaging/dib_decoders.h"
#include "imaging/dib_mem_file.h"
#include "png_writer.h"

using namespace quorla_test;

namespace {

std::string Decode(CDibImage& image, const Bytes& bytes, DWORD type) {
  bool ok = image.DecodeMemory(bytes.data(), static_cast<DWORD>(bytes.size()), type);
  return ok ? "ok" : std::string("failed: ") + image.GetErrorText();
}

bool Same(RGBQUAD a, RGBQUAD b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed && a.rgbReserved == b.rgbReserved;
}

// ---- PNG ----

TEST(PngDecoder, ImageShapeByColourType) {
  struct Case {
    int colorType, bitDepth;
    WORD bits;
    bool alpha;
  } cases[] = {{0, 1, 1, false},  {0, 2, 4, false}, {0, 4, 4, false}, {0, 8, 8, false}, {0, 16, 8, false},
               {2, 8, 24, false}, {2, 16, 24, false}, {3, 1, 1, false}, {3, 4, 4, false}, {3, 8, 8, false},
               {4, 8, 8, true},   {4, 16, 8, true},  {6, 8, 24, true}, {6, 16, 24, true}};
  for (const Case& c : cases) {
    CDibImage image(0);
    ASSERT_EQ(Decode(image, WritePng(PatternImage(7, 5, c.colorType, c.bitDepth)), DIBIMAGE_FORMAT_PNG), "ok")
        << c.colorType << "/" << c.bitDepth;
    EXPECT_EQ(image.GetBitCount(), c.bits);
    EXPECT_EQ(image.HasAlpha(), c.alpha);
    EXPECT_EQ(image.GetWidth(), 7u);
    EXPECT_EQ(image.GetType(), DIBIMAGE_FORMAT_PNG);
  }
}

TEST(PngDecoder, PixelsLandBottomUpInBgrOrder) {
  PngImage png = PatternImage(2, 2, 6, 8);
  png.rows = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
  CDibImage image;
  ASSERT_EQ(Decode(image, WritePng(png), 4), "ok");
  // PNG row 0 is the top: DIB row 1.
  EXPECT_TRUE(Same(image.GetPixelColorRaw(0, 1, true), RGBQUAD{30, 20, 10, 40}));
  EXPECT_TRUE(Same(image.GetPixelColorRaw(1, 0, true), RGBQUAD{150, 140, 130, 160}));
}

TEST(PngDecoder, SixteenBitSamplesKeepTheirHighBytes) {
  PngImage png = PatternImage(1, 1, 2, 16);
  png.rows = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
  CDibImage image;
  ASSERT_EQ(Decode(image, WritePng(png), 4), "ok");
  EXPECT_TRUE(Same(image.GetPixelColorRaw(0, 0), RGBQUAD{0x9A, 0x56, 0x12, 0}));
}

TEST(PngDecoder, TwoBitGreyWidensToFourBits) {
  PngImage png = PatternImage(5, 1, 0, 2);
  png.rows = {0b00011011, 0b10000000};
  CDibImage image;
  ASSERT_EQ(Decode(image, WritePng(png), 4), "ok");
  EXPECT_EQ(image.GetBitCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(image.GetPaletteEntry(BYTE(i)).rgbRed, i * 85);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetPixelIndexRaw(x, 0), (std::vector<int>{0, 1, 2, 3, 2})[x]);
}

TEST(PngDecoder, InterlacedEqualsPlain) {
  for (int colorType : {0, 2, 3, 4, 6}) {
    for (int depth : {2, 8, 16}) {
      if ((colorType == 3 && depth == 16) || (colorType != 0 && colorType != 3 && depth == 2)) continue;
      CDibImage plain, laced;
      ASSERT_EQ(Decode(plain, WritePng(PatternImage(11, 9, colorType, depth, false)), 4), "ok");
      ASSERT_EQ(Decode(laced, WritePng(PatternImage(11, 9, colorType, depth, true)), 4), "ok");
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x) {
          ASSERT_TRUE(Same(plain.GetPixelColorRaw(x, y, true), laced.GetPixelColorRaw(x, y, true)))
              << colorType << "/" << depth << " at " << x << "," << y;
          ASSERT_EQ(plain.GetPixelIndexRaw(x, y), laced.GetPixelIndexRaw(x, y));
        }
      EXPECT_EQ(laced.GetFormatOption(4), 1u);
      EXPECT_EQ(plain.GetFormatOption(4), 0u);
    }
  }
}

TEST(PngDecoder, Transparency) {
  PngImage palette = PatternImage(2, 1, 3, 8);
  palette.trnsAlpha = {0, 100, 200};
  CDibImage many;
  ASSERT_EQ(Decode(many, WritePng(palette), 4), "ok");
  EXPECT_TRUE(many.IsAlphaPaletteEnabled());
  EXPECT_EQ(many.GetPaletteEntry(1).rgbReserved, 100);
  EXPECT_EQ(many.GetPaletteEntry(5).rgbReserved, 255);

  palette.trnsAlpha = {0};
  CDibImage single;
  ASSERT_EQ(Decode(single, WritePng(palette), 4), "ok");
  EXPECT_EQ(single.GetTransparentIndex(), 0);

  PngImage grey = PatternImage(2, 1, 0, 16);
  grey.hasTrnsColor = true;
  grey.trnsGray = 0x1234;
  CDibImage keyed;
  ASSERT_EQ(Decode(keyed, WritePng(grey), 4), "ok");
  EXPECT_EQ(keyed.GetTransparentIndex(), 0x12);

  PngImage rgb = PatternImage(2, 1, 2, 8);
  rgb.hasTrnsColor = true;
  rgb.trnsRed = 1;
  rgb.trnsGreen = 2;
  rgb.trnsBlue = 3;
  CDibImage colour;
  ASSERT_EQ(Decode(colour, WritePng(rgb), 4), "ok");
  EXPECT_EQ(colour.GetTransparentIndex(), 0);
  EXPECT_TRUE(Same(colour.GetTransparentColor(), RGBQUAD{3, 2, 1, 0}));
}

TEST(PngDecoder, ResolutionFromPhys) {
  struct Case {
    std::uint32_t value;
    int unit;
    LONG dpi;
  } cases[] = {{3780, 1, 96}, {11811, 1, 300}, {72, 0, 72}};
  for (const Case& c : cases) {
    PngImage png = PatternImage(1, 1, 2, 8);
    png.hasPhys = true;
    png.physX = png.physY = c.value;
    png.physUnit = c.unit;
    CDibImage image;
    ASSERT_EQ(Decode(image, WritePng(png), 4), "ok");
    EXPECT_EQ(image.GetDpiX(), c.dpi);
  }
}

TEST(PngDecoder, HeaderOnlyTruncatedAndHuge) {
  Bytes good = WritePng(PatternImage(30, 20, 6, 8));
  CDibImage header;
  header.SetDecodeEscape(-1);
  ASSERT_EQ(Decode(header, good, 4), "ok");
  EXPECT_EQ(header.GetWidth(), 30u);
  EXPECT_EQ(header.GetHeight(), 20u);
  EXPECT_FALSE(header.IsValid());

  for (std::size_t cut : {std::size_t(8), std::size_t(40), good.size() / 2}) {
    Bytes part(good.begin(), good.begin() + cut);
    CDibImage image;
    EXPECT_EQ(Decode(image, part, 4), "failed: Read Error") << cut;
    EXPECT_FALSE(image.IsValid());
  }
  Bytes notPng = good;
  notPng[1] = 'X';
  CDibImage image;
  EXPECT_NE(Decode(image, notPng, 4), "ok");

  // A header declaring 20000 x 20000 RGBA with almost no data; 5000 x 5000
  // fits the limit but not the data: refused before allocating.
  const Bytes tiny = WritePng(PatternImage(1, 1, 6, 8));
  CDibImage big;
  EXPECT_EQ(Decode(big, DeclaringSize(tiny, 20000, 20000), 4), "failed: DIBIMAGE_MAX_MEMORY exceeded");
  EXPECT_EQ(Decode(big, DeclaringSize(tiny, 5000, 5000), 4), "failed: Read Error");
}

// ---- ICO ----

Bytes Mask(int width, int height, std::initializer_list<std::pair<int, int>> set) {
  int rowBytes = (width + 31) / 32 * 4;
  Bytes mask(static_cast<std::size_t>(rowBytes) * height, 0);
  for (auto [x, y] : set) mask[y * rowBytes + x / 8] |= BYTE(0x80 >> (x % 8));
  return mask;
}

TEST(IcoDecoder, ThirtyTwoBitEntryKeepsItsAlpha) {
  Bytes pixels;
  for (int i = 0; i < 16 * 16; ++i) {
    pixels.insert(pixels.end(), {BYTE(i), BYTE(i >> 1), BYTE(i >> 2), BYTE(i % 2 ? 255 : 128)});
  }
  Bytes ico = MakeIco({{16, 16, IconDib(16, 16, 32, {}, pixels, Mask(16, 16, {{1, 0}, {2, 3}}))}});
  CDibImage image;
  ASSERT_EQ(Decode(image, ico, DIBIMAGE_FORMAT_ICO), "ok");
  EXPECT_EQ(image.GetBitCount(), 24);
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(image.GetAlphaAt(0, 0), 128);
  EXPECT_EQ(image.GetAlphaAt(3, 0), 255);
  EXPECT_EQ(image.GetAlphaAt(1, 0), 0);  // masked although its alpha byte was 255
  EXPECT_EQ(image.GetAlphaAt(2, 3), 0);
  EXPECT_TRUE(Same(image.GetPixelColorRaw(5, 0, false), RGBQUAD{5, 2, 1, 0}));
  EXPECT_EQ(image.GetType(), DIBIMAGE_FORMAT_ICO);
  EXPECT_EQ(image.GetFrameCount(), 1);
}

TEST(IcoDecoder, FourBitMaskBecomesAnUnusedIndex) {
  Bytes palette(16 * 4, 0);
  for (int i = 1; i < 16; ++i) palette[i * 4 + 2] = BYTE(i * 16);  // entry 0 black
  Bytes pixels(8 * 2, 0x11);  // 16 x 2... 16 pixels per row = 8 bytes
  pixels[0] = 0x02;           // pixel 0 of row 0 black (index 0), masked below
  pixels[8] = 0x30;           // pixel 1 of row 1 black, masked below
  Bytes ico = MakeIco({{16, 2, IconDib(16, 2, 4, palette, pixels, Mask(16, 2, {{0, 0}, {1, 1}}))}});
  CDibImage image;
  ASSERT_EQ(Decode(image, ico, DIBIMAGE_FORMAT_ICO), "ok");
  EXPECT_FALSE(image.HasAlpha());
  EXPECT_TRUE(Same(image.GetInfo().transColor, RGBQUAD{0, 0, 0, 0}));
  EXPECT_EQ(image.GetTransparentIndex(), 15);  // highest index no pixel uses
  EXPECT_EQ(image.GetPixelIndexRaw(0, 0), 15);
  EXPECT_EQ(image.GetPixelIndexRaw(1, 1), 15);
  EXPECT_EQ(image.GetPixelIndexRaw(1, 0), 2);
}

TEST(IcoDecoder, PngEntriesAndFrameIndexes) {
  Bytes ico = MakeIco({{4, 4, IconDib(4, 4, 24, {}, Bytes(48, 9), Mask(4, 4, {}))},
                       {0, 0, WritePng(PatternImage(20, 10, 6, 8))}});
  CDibImage first;
  ASSERT_EQ(Decode(first, ico, 5), "ok");
  EXPECT_EQ(first.GetWidth(), 4u);
  EXPECT_EQ(first.GetFrameCount(), 2);
  CDibImage second;
  second.SetFrameIndex(1);
  ASSERT_EQ(Decode(second, ico, 5), "ok");
  EXPECT_EQ(second.GetWidth(), 20u);
  EXPECT_EQ(second.GetType(), DIBIMAGE_FORMAT_ICO);
  EXPECT_TRUE(second.HasAlpha());
  CDibImage header;
  header.SetFrameIndex(1);
  header.SetDecodeEscape(-1);
  ASSERT_EQ(Decode(header, ico, 5), "ok");
  EXPECT_EQ(header.GetWidth(), 20u);
  EXPECT_EQ(header.GetType(), 5u);
  EXPECT_FALSE(header.IsValid());
  CDibImage beyond;
  beyond.SetFrameIndex(2);
  EXPECT_NE(Decode(beyond, ico, 5), "ok");
  EXPECT_EQ(beyond.GetFrameCount(), 2);  // the entries found stay known
}

TEST(IcoDecoder, BadDirectoriesAndEntriesFail) {
  Bytes entry = IconDib(2, 2, 24, {}, Bytes(16, 1), Mask(2, 2, {}));
  Bytes good = MakeIco({{2, 2, entry}});
  struct Case {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"type 3", MakeIco({{2, 2, entry}}, 3)},
      {"reserved 1", MakeIco({{2, 2, entry}}, 1, 1)},
      {"short header", Bytes(good.begin(), good.begin() + 4)},
      {"short directory", Bytes(good.begin(), good.begin() + 12)},
      {"broken png entry", MakeIco({{0, 0, Bytes{0x89, 'P', 'N', 'G', 1, 2, 3}}})},
      {"one side zero", MakeIco({{0, 2, entry}})},
  };
  for (const Case& c : cases) {
    CDibImage image;
    EXPECT_NE(Decode(image, c.bytes, 5), "ok") << c.name;
    EXPECT_FALSE(image.IsValid()) << c.name;
  }
  // A palette claiming far more than 256 entries reads no further than 256.
  Bytes claim = IconDib(2, 2, 8, Bytes(256 * 4, 7), Bytes(8, 1), Mask(2, 2, {}));
  claim[32] = 0xFF;
  claim[33] = 0xFF;
  claim[34] = 0xFF;
  claim[35] = 0x7F;
  CDibImage image;
  Decode(image, MakeIco({{2, 2, claim}}), 5);
}

// ---- BMP ----

TEST(BmpDecoder, DepthsHeadersAndOrders) {
  BmpSpec bottomUp;
  bottomUp.width = 3;
  bottomUp.height = 2;
  bottomUp.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
  BmpSpec topDown = bottomUp;
  topDown.height = -2;
  topDown.pixels = {11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0};
  CDibImage a, b;
  ASSERT_EQ(Decode(a, MakeBmp(bottomUp), DIBIMAGE_FORMAT_BMP), "ok");
  ASSERT_EQ(Decode(b, MakeBmp(topDown), DIBIMAGE_FORMAT_BMP), "ok");
  EXPECT_EQ(std::memcmp(a.GetRow(0), b.GetRow(0), 24), 0);
  EXPECT_TRUE(Same(a.GetPixelColorRaw(0, 0), RGBQUAD{1, 2, 3, 0}));

  BmpSpec bare = bottomUp;
  bare.fileHeader = false;
  CDibImage c;
  ASSERT_EQ(Decode(c, MakeBmp(bare), DIBIMAGE_FORMAT_BMP), "ok");
  EXPECT_EQ(std::memcmp(a.GetRow(0), c.GetRow(0), 24), 0);

  BmpSpec core;
  core.headerSize = 12;
  core.bitCount = 8;
  core.width = 2;
  core.height = 1;
  for (int i = 0; i < 256; ++i) core.palette.insert(core.palette.end(), {BYTE(i), BYTE(i + 1), BYTE(i + 2)});
  core.pixels = {255, 7, 0, 0};
  CDibImage d;
  ASSERT_EQ(Decode(d, MakeBmp(core), DIBIMAGE_FORMAT_BMP), "ok");
  EXPECT_TRUE(Same(d.GetPaletteEntry(255), RGBQUAD{255, 0, 1, 0}));
  EXPECT_TRUE(Same(d.GetPaletteEntry(7), RGBQUAD{7, 8, 9, 0}));
  EXPECT_EQ(d.GetPixelIndexRaw(0, 0), 255);

  BmpSpec v5 = bottomUp;
  v5.headerSize = 124;
  CDibImage e;
  ASSERT_EQ(Decode(e, MakeBmp(v5), DIBIMAGE_FORMAT_BMP), "ok");
  EXPECT_EQ(std::memcmp(a.GetRow(0), e.GetRow(0), 24), 0);
}

TEST(BmpDecoder, ThirtyTwoBitAlpha) {
  BmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bitCount = 32;
  s.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
  CDibImage allZero;
  ASSERT_EQ(Decode(allZero, MakeBmp(s), 1), "ok");
  EXPECT_EQ(allZero.GetAlphaAt(0, 0), 255);
  EXPECT_EQ(allZero.GetAlphaAt(1, 0), 255);
  EXPECT_TRUE(Same(allZero.GetPixelColorRaw(1, 0, false), RGBQUAD{4, 5, 6, 0}));
  s.pixels[7] = 9;
  CDibImage some;
  ASSERT_EQ(Decode(some, MakeBmp(s), 1), "ok");
  EXPECT_EQ(some.GetAlphaAt(0, 0), 0);
  EXPECT_EQ(some.GetAlphaAt(1, 0), 9);
}

TEST(BmpDecoder, RunLengthEncodings) {
  BmpSpec rle8;
  rle8.bitCount = 8;
  rle8.compression = 1;
  rle8.width = 4;
  rle8.height = 2;
  rle8.palette = Bytes(256 * 4, 0);
  // A run of 9 cut at the row end, end of line, an absolute run of 3
  // (padded), a delta far outside, end of bitmap.
  rle8.pixels = {9, 5, 0, 0, 0, 3, 7, 8, 9, 0, 0, 2, 200, 200, 1, 1, 0, 1};
  CDibImage image;
  ASSERT_EQ(Decode(image, MakeBmp(rle8), 1), "ok");
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.GetPixelIndexRaw(x, 0), 5);
  EXPECT_EQ(image.GetPixelIndexRaw(0, 1), 7);
  EXPECT_EQ(image.GetPixelIndexRaw(2, 1), 9);

  BmpSpec rle4 = rle8;
  rle4.bitCount = 4;
  rle4.compression = 2;
  rle4.palette = Bytes(16 * 4, 0);
  rle4.pixels = {3, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 1};
  CDibImage four;
  ASSERT_EQ(Decode(four, MakeBmp(rle4), 1), "ok");
  EXPECT_EQ(four.GetPixelIndexRaw(0, 0), 1);
  EXPECT_EQ(four.GetPixelIndexRaw(1, 0), 2);
  EXPECT_EQ(four.GetPixelIndexRaw(2, 0), 1);
  EXPECT_EQ(four.GetPixelIndexRaw(0, 1), 4);
  EXPECT_EQ(four.GetPixelIndexRaw(2, 1), 6);
}

TEST(BmpDecoder, FailuresAndTheHeaderOnlyRequest) {
  BmpSpec s;
  s.width = 3;
  s.height = -2;
  s.pixels = Bytes(24, 1);
  CDibImage header;
  header.SetDecodeEscape(-1);
  ASSERT_EQ(Decode(header, MakeBmp(s), 1), "ok");
  EXPECT_EQ(std::string(header.GetErrorText()), "output dimensions returned");
  EXPECT_EQ(header.GetHeight(), 2u);

  auto with = [&s](void (*change)(BmpSpec&)) {
    BmpSpec changed = s;
    change(changed);
    return MakeBmp(changed);
  };
  struct Failure {
    const char* name;
    Bytes bytes;
    const char* result;
  } failures[] = {
      {"short file", Bytes{'B', 'M', 0}, "failed: Not a BMP"},
      {"odd header size", with([](BmpSpec& b) { b.headerSize = 20; }), "failed: Error reading BMP info"},
      {"24 bits run-length", with([](BmpSpec& b) { b.compression = 1; }), "failed: unknown compression"},
      {"1 bit bit-fields", with([](BmpSpec& b) {
         b.bitCount = 1;
         b.compression = 3;
       }),
       "failed: compression type not supported"},
      {"huge", with([](BmpSpec& b) { b.width = b.height = 60000; }), "failed: DIBIMAGE_MAX_MEMORY exceeded"},
      // Within the limit, but the file holds 24 bytes of pixels.
      {"larger than its data", with([](BmpSpec& b) { b.width = b.height = 2000; }),
       "failed: DIBIMAGE_MAX_MEMORY exceeded"},
  };
  for (const Failure& f : failures) {
    CDibImage image;
    EXPECT_EQ(Decode(image, f.bytes, 1), f.result) << f.name;
  }
  // A palette claiming 2^32 - 1 colours reads only the 256 the image holds.
  BmpSpec claim;
  claim.bitCount = 8;
  claim.colorsUsed = 0xFFFFFFFFu;
  claim.palette = Bytes(256 * 4, 3);
  claim.pixels = {0, 0, 0, 0};
  CDibImage palette;
  ASSERT_EQ(Decode(palette, MakeBmp(claim), 1), "ok");
  EXPECT_EQ(palette.GetPaletteEntry(255).rgbBlue, 3);
}

// ---- Dispatcher ----

TEST(Dispatcher, UnknownTypeTriesEveryDecoder) {
  Bytes png = WritePng(PatternImage(6, 3, 2, 8));
  CDibImage image(0);
  ASSERT_EQ(Decode(image, png, 0), "ok");
  EXPECT_EQ(image.GetType(), DIBIMAGE_FORMAT_PNG);
  CDibImage garbage(0);
  EXPECT_EQ(Decode(garbage, Bytes(64, 0xAB), 0), "failed: Decode: Unknown or wrong format");
  CDibImage wrongType;
  EXPECT_EQ(Decode(wrongType, png, 2), "failed: Decode: Unknown or wrong format");
  CDibImage nothing;
  EXPECT_FALSE(nothing.Decode(nullptr, 4));
  EXPECT_EQ(std::string(nothing.GetErrorText()), "null file handler");
  // A decode on the stream's own position: the stream is rewound between attempts.
  Bytes prefixed(3 + png.size(), 0);
  std::copy(png.begin(), png.end(), prefixed.begin() + 3);
  CDibMemFile file(prefixed.data(), static_cast<DWORD>(prefixed.size()));
  file.Seek(3, 0);
  CDibImage atOffset;
  EXPECT_TRUE(atOffset.Decode(&file, 0));
}

TEST(Dispatcher, FailedDecodeLeavesTheImageEmpty) {
  CDibImage image;
  ASSERT_EQ(Decode(image, WritePng(PatternImage(2, 2, 2, 8)), 4), "ok");
  image.Destroy();
  EXPECT_NE(Decode(image, Bytes(20, 1), 4), "ok");
  EXPECT_FALSE(image.IsValid());
}

TEST(Dispatcher, ResourcesDecodeThroughTheLayer) {
  static Bytes png = WritePng(PatternImage(3, 3, 6, 8));
  ASSERT_TRUE(RegisterResourceW(nullptr, u"PNG", MAKEINTRESOURCEW(131), png.data(), static_cast<DWORD>(png.size())));
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(131), u"png");
  ASSERT_NE(resource, nullptr);
  CDibImage image;
  EXPECT_TRUE(image.LoadResource(resource, 4));
  EXPECT_EQ(image.GetWidth(), 3u);
  CDibImage missing;
  EXPECT_FALSE(missing.LoadResource(nullptr, 4));
  EXPECT_EQ(std::string(missing.GetErrorText()), "Unable to load resource!");
}

}  // namespace
