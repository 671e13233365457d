#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <filesystem>
#include <fstream>
#include <vector>

#include "framework/module_loader.h"
#include "kernel/lib_png.h"
#include "lib_png.h"
#include "png_writer.h"
#include "win/dib.h"

using quorla_test::PatternImage;
using quorla_test::PngImage;
using quorla_test::WritePng;

namespace {

class LibPng : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_COM::CSAggregateObject<CLibPng>::CreateInstance(nullptr, IID_ILibPng,
                                                               reinterpret_cast<void**>(&png)),
              S_OK);
  }
  void TearDown() override { png->Release(); }

  struct Decoded {
    HBITMAP bitmap = nullptr;
    DIBSECTION ds{};
    const BYTE* Row(int y) const { return static_cast<const BYTE*>(ds.dsBm.bmBits) + ds.dsBm.bmWidthBytes * y; }
  };
  Decoded Decode(const std::vector<std::uint8_t>& bytes) {
    Decoded d;
    d.bitmap = png->LoadFromMemory(bytes.data(), static_cast<UINT>(bytes.size()));
    if (d.bitmap) GetObjectW(d.bitmap, sizeof(d.ds), &d.ds);
    return d;
  }

  ILibPng* png = nullptr;
};

TEST_F(LibPng, OutputLayoutByColourType) {
  struct Case {
    int colorType, bitDepth, bitCount;
  } cases[] = {{0, 1, 24}, {0, 2, 24}, {0, 4, 24}, {0, 8, 24}, {0, 16, 24}, {2, 8, 24}, {2, 16, 24},
               {3, 1, 24}, {3, 2, 24}, {3, 4, 24}, {3, 8, 24}, {4, 8, 32}, {4, 16, 32}, {6, 8, 32}, {6, 16, 32}};
  for (const Case& c : cases) {
    Decoded d = Decode(WritePng(PatternImage(3, 5, c.colorType, c.bitDepth)));
    ASSERT_NE(d.bitmap, nullptr) << c.colorType << "/" << c.bitDepth;
    EXPECT_EQ(d.ds.dsBmih.biSize, 40u);
    EXPECT_EQ(d.ds.dsBmih.biWidth, 3);
    EXPECT_EQ(d.ds.dsBmih.biHeight, -5);
    EXPECT_EQ(d.ds.dsBmih.biBitCount, c.bitCount);
    EXPECT_EQ(d.ds.dsBm.bmWidthBytes, 12);  // 3 pixels at 24 bits pad to 12 bytes, at 32 bits fill them
    DeleteObject(d.bitmap);
  }
}

TEST_F(LibPng, PaletteWithTransparencyGivesZeroTransparentPixels) {
  PngImage image = PatternImage(4, 1, 3, 8);
  image.rows = {0, 1, 2, 3};
  image.palette = {255, 255, 255, 10, 20, 30, 200, 100, 50, 1, 2, 3};
  image.trnsAlpha = {0, 255, 128};
  Decoded d = Decode(WritePng(image));
  ASSERT_NE(d.bitmap, nullptr);
  ASSERT_EQ(d.ds.dsBm.bmBitsPixel, 32);
  const BYTE* p = d.Row(0);
  EXPECT_EQ(std::vector<BYTE>(p, p + 16),
            (std::vector<BYTE>{0, 0, 0, 0, 30, 20, 10, 255, 25, 50, 100, 128, 3, 2, 1, 255}));
  DeleteObject(d.bitmap);
}

TEST_F(LibPng, GreyGivesEqualChannels) {
  PngImage image = PatternImage(5, 2, 0, 8);
  Decoded d = Decode(WritePng(image));
  ASSERT_NE(d.bitmap, nullptr);
  EXPECT_EQ(d.ds.dsBm.bmBitsPixel, 24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) {
      const BYTE* p = d.Row(y) + 3 * x;
      EXPECT_EQ(p[0], image.rows[y * 5 + x]);
      EXPECT_EQ(p[1], p[0]);
      EXPECT_EQ(p[2], p[0]);
    }
  DeleteObject(d.bitmap);
}

TEST_F(LibPng, SixteenBitRgbaIsStrippedAndPremultiplied) {
  PngImage image = PatternImage(2, 1, 6, 16);
  // Pixel 0: R 0xFF00, G 0x8000, B 0x1234, A 0x8000; pixel 1 opaque.
  image.rows = {0xFF, 0x00, 0x80, 0x00, 0x12, 0x34, 0x80, 0x00, 0x10, 0x00, 0x20, 0x00, 0x30, 0x00, 0xFF, 0xFF};
  Decoded d = Decode(WritePng(image));
  ASSERT_NE(d.bitmap, nullptr);
  const BYTE* p = d.Row(0);
  // 16-bit samples keep their high byte.
  EXPECT_EQ(p[3], 0x80);
  EXPECT_EQ(p[2], 0xFF * 0x80 / 255);
  EXPECT_EQ(p[1], 0x80 * 0x80 / 255);
  EXPECT_EQ(p[0], 0x12 * 0x80 / 255);
  EXPECT_EQ((std::vector<BYTE>(p + 4, p + 8)), (std::vector<BYTE>{0x30, 0x20, 0x10, 0xFF}));
  DeleteObject(d.bitmap);
}

TEST_F(LibPng, InterlacedDecodesLikeNonInterlaced) {
  for (int colorType : {0, 2, 3, 4, 6}) {
    Decoded plain = Decode(WritePng(PatternImage(13, 11, colorType, 8, false)));
    Decoded laced = Decode(WritePng(PatternImage(13, 11, colorType, 8, true)));
    ASSERT_NE(plain.bitmap, nullptr);
    ASSERT_NE(laced.bitmap, nullptr);
    size_t bytes = size_t(plain.ds.dsBm.bmWidthBytes) * 11;
    EXPECT_EQ(std::memcmp(plain.ds.dsBm.bmBits, laced.ds.dsBm.bmBits, bytes), 0) << colorType;
    DeleteObject(plain.bitmap);
    DeleteObject(laced.bitmap);
  }
}

TEST_F(LibPng, TruncatedAndBadInputGiveNull) {
  std::vector<std::uint8_t> good = WritePng(PatternImage(16, 16, 6, 8));
  for (size_t cut : {size_t(0), size_t(7), size_t(8), size_t(33), good.size() / 2, good.size() - 13}) {
    // Copy into a block of exactly that size, so that any read past it is caught.
    std::vector<std::uint8_t> part(good.begin(), good.begin() + cut);
    EXPECT_EQ(png->LoadFromMemory(part.empty() ? nullptr : part.data(), static_cast<UINT>(part.size())), nullptr)
        << cut;
  }
  std::vector<std::uint8_t> bad = good;
  bad[0] = 'X';
  EXPECT_EQ(png->LoadFromMemory(bad.data(), static_cast<UINT>(bad.size())), nullptr);
  EXPECT_EQ(png->LoadFromMemory(nullptr, 100), nullptr);
}

TEST_F(LibPng, HugeDeclaredSizeFailsWithoutAllocating) {
  // A valid header for 100000 x 100000 RGBA followed by almost no data.
  std::vector<std::uint8_t> tiny = quorla_test::DeclaringSize(WritePng(PatternImage(1, 1, 6, 8)), 100000, 100000);
  EXPECT_EQ(png->LoadFromMemory(tiny.data(), static_cast<UINT>(tiny.size())), nullptr);
}

TEST_F(LibPng, LoadFromFileAndReserved) {
  auto path = std::filesystem::temp_directory_path() / ("quorla-libpng-" + std::to_string(::getpid()) + ".png");
  std::vector<std::uint8_t> bytes = WritePng(PatternImage(4, 4, 2, 8));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  HBITMAP bitmap = png->LoadFromFile(path.u16string().c_str());
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
  std::ofstream(path, std::ios::binary | std::ios::trunc).flush();
  EXPECT_EQ(png->LoadFromFile(path.u16string().c_str()), nullptr);  // empty file
  std::filesystem::remove(path);
  EXPECT_EQ(png->LoadFromFile(path.u16string().c_str()), nullptr);
  EXPECT_EQ(png->LoadFromFile(nullptr), nullptr);
  EXPECT_EQ(png->Reserved(7, 9), 1);
}

TEST_F(LibPng, SharedInstanceDecodesOnSeveralThreadsAtOnce) {
  std::vector<std::vector<std::uint8_t>> images;
  for (int colorType : {0, 2, 3, 6}) images.push_back(WritePng(PatternImage(40, 30, colorType, 8, colorType == 6)));
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 25; ++i) {
        const auto& bytes = images[(t + i) % images.size()];
        HBITMAP bitmap = png->LoadFromMemory(bytes.data(), static_cast<UINT>(bytes.size()));
        if (!bitmap) ++failures;
        DeleteObject(bitmap);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
