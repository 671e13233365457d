#include <gtest/gtest.h>

#include <vector>

#include "drawing_test_support.h"
#include "win/gdi_objects.h"
#include "win/last_error.h"

using drawing_test::Canvas;

namespace {

HBITMAP MakeSection(int width, int height, int bitCount, void** bits) {
  // Room for a full palette: the section reads as many entries as the bit count allows.
  std::vector<BYTE> memory(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* info = reinterpret_cast<BITMAPINFO*>(memory.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  return CreateDIBSection(nullptr, info, DIB_RGB_COLORS, bits, nullptr, 0);
}

TEST(DibSections, DescribeEveryDepthAndOrder) {
  struct Case {
    int width, height, bitCount, stride;
  } cases[] = {{3, 2, 24, 12}, {3, -2, 24, 12}, {5, 4, 32, 20}, {33, 1, 1, 8}, {9, 3, 4, 8}, {5, -7, 8, 8}};
  for (const Case& c : cases) {
    void* bits = nullptr;
    HBITMAP bitmap = MakeSection(c.width, c.height, c.bitCount, &bits);
    ASSERT_NE(bitmap, nullptr) << c.bitCount;
    ASSERT_NE(bits, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(bm), &bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, c.width);
    EXPECT_EQ(bm.bmHeight, std::abs(c.height));
    EXPECT_EQ(bm.bmWidthBytes, c.stride);
    EXPECT_EQ(bm.bmBitsPixel, c.bitCount);
    EXPECT_EQ(bm.bmBits, bits);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(ds), &ds), int(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBmih.biHeight, c.height);
    EXPECT_EQ(ds.dsBmih.biSizeImage, DWORD(c.stride * std::abs(c.height)));
    // The memory is zero-filled and writable over its whole size.
    auto* bytes = static_cast<BYTE*>(bits);
    for (int i = 0; i < c.stride * std::abs(c.height); ++i) ASSERT_EQ(bytes[i], 0);
    bytes[c.stride * std::abs(c.height) - 1] = 0xAB;
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
  }
}

TEST(DibSections, RefuseBadDescriptionsAndHugeSizes) {
  struct Case {
    int width, height, bitCount;
  } cases[] = {{0, 1, 24}, {1, 0, 24}, {-1, 1, 24}, {4, 4, 3}, {4, 4, 16}, {65536, 65536, 32}, {0x7FFFFFFF, 2, 32}};
  for (const Case& c : cases) {
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(MakeSection(c.width, c.height, c.bitCount, &bits), nullptr) << c.width << "x" << c.height;
    EXPECT_EQ(bits, nullptr);
  }
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

TEST(DibSections, GetObjectSizesAndStockObjects) {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectW(brush, 0, nullptr), int(sizeof(LOGBRUSH)));
  EXPECT_EQ(GetObjectW(brush, sizeof(lb), &lb), int(sizeof(LOGBRUSH)));
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObjectW(brush, 2, &lb), 0);
  EXPECT_TRUE(DeleteObject(brush));
  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  ASSERT_NE(gui, nullptr);
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), gui);
  EXPECT_TRUE(DeleteObject(gui));  // stock objects survive deletion
  EXPECT_GT(GetObjectW(gui, 0, nullptr), 0);
  EXPECT_EQ(GetObjectW(nullptr, 0, nullptr), 0);
}

TEST(DibSections, SelectedBitmapOutlivesItsHandle) {
  Canvas canvas(4, 4, 32);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  // Deleting the handle while selected keeps the memory for the DC.
  HBITMAP handle = canvas.bitmap;
  EXPECT_TRUE(DeleteObject(handle));
  RECT all{0, 0, 4, 4};
  EXPECT_TRUE(FillRect(canvas.dc, &all, red));
  EXPECT_EQ(canvas.Rgb(3, 3), 0xFF0000u);
  DeleteObject(red);
}

TEST(DibSections, CompatibleBitmapIsTopDown32Bit) {
  HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 7, 3);
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(ds), &ds), int(sizeof(ds)));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(ds.dsBmih.biHeight, -3);
  DeleteObject(bitmap);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 0, 3), nullptr);
}

}  // namespace
