// Icons from the icon file built into the test program (four images: 16 red
// 32-bit, 24 green 8-bit, 32 blue PNG, 48 yellow 24-bit, each with its
// top-left pixel clear), read back by drawing them.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drawing_test_support.h"
#include "win/icons.h"
#include "win/last_error.h"

using drawing_test::Canvas;

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00A000, kBlue = 0x0000FF, kYellow = 0xFFC800;
constexpr std::uint32_t kGround = 0x336699;
LPCWSTR const kIcons = MAKEINTRESOURCEW(7101);

// The icon drawn at its own size on a background: its size and colours.
struct Drawn {
  int width = 0, height = 0;
  std::uint32_t corner = 0, middle = 0;
};

Drawn Draw(HICON icon) {
  Canvas canvas(80, 80, 32);
  canvas.Fill(kGround);
  EXPECT_TRUE(DrawIconEx(canvas.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  Drawn d;
  while (d.width < 80 && canvas.Rgb(d.width, 5) != kGround) ++d.width;
  while (d.height < 80 && canvas.Rgb(5, d.height) != kGround) ++d.height;
  d.corner = canvas.Rgb(0, 0);
  d.middle = canvas.Rgb(d.width / 2, d.height / 2);
  return d;
}

TEST(Icons, LoadImagePicksTheNearestImageAndScalesIt) {
  struct Case {
    int width, height;
    UINT flags;
    int drawnWidth, drawnHeight;
    std::uint32_t colour;
  } cases[] = {
      {16, 16, LR_DEFAULTCOLOR, 16, 16, kRed},
      {24, 24, LR_DEFAULTCOLOR, 24, 24, kGreen},
      {32, 32, LR_DEFAULTCOLOR, 32, 32, kBlue},
      {48, 48, LR_DEFAULTCOLOR, 48, 48, kYellow},
      {20, 20, LR_DEFAULTCOLOR, 20, 20, kRed},     // as near to 16 as to 24: the deeper colour
      {40, 40, LR_DEFAULTCOLOR, 40, 40, kBlue},    // as near to 32 as to 48: the deeper colour
      {64, 64, LR_DEFAULTCOLOR, 64, 64, kYellow},  // larger than any: the largest, stretched
      {8, 8, LR_DEFAULTCOLOR, 8, 8, kRed},
      {30, 18, LR_DEFAULTCOLOR, 30, 18, kGreen},
      {0, 0, LR_DEFAULTCOLOR, 32, 32, kBlue},  // no size: the one nearest the icon size, as it is
      {0, 0, LR_DEFAULTSIZE, 32, 32, kBlue},
      {0, 16, LR_DEFAULTSIZE, 32, 16, kBlue},  // 16, 24 and 32 equally near: deepest, then largest
  };
  for (const Case& c : cases) {
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, kIcons, IMAGE_ICON, c.width, c.height, c.flags));
    ASSERT_NE(icon, nullptr) << c.width << "x" << c.height;
    Drawn d = Draw(icon);
    EXPECT_EQ(d.width, c.drawnWidth) << c.width << "x" << c.height;
    EXPECT_EQ(d.height, c.drawnHeight) << c.width << "x" << c.height;
    EXPECT_EQ(d.middle, c.colour) << c.width << "x" << c.height;
    // At an image's own size its clear corner shows what is below, whatever
    // the image's storage.
    if (c.width == c.height && (c.width == 16 || c.width == 24 || c.width == 32 || c.width == 48)) {
      EXPECT_EQ(d.corner, kGround) << c.width;
    }
    EXPECT_TRUE(DestroyIcon(icon));
  }
}

TEST(Icons, LoadIconFindsTheGroupByNameAtTheIconSize) {
  HICON large = LoadIconW(nullptr, u"testicons");
  Drawn d = Draw(large);
  EXPECT_EQ(d.width, 32);
  EXPECT_EQ(d.middle, kBlue);
  DestroyIcon(large);
}

TEST(Icons, FailuresSayWhy) {
  struct Case {
    const char* what;
    LPCWSTR name;
    UINT type;
    int width;
    DWORD error;
  } cases[] = {
      {"no such resource", MAKEINTRESOURCEW(7102), IMAGE_ICON, 16, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"a png is no icon", MAKEINTRESOURCEW(7001), IMAGE_ICON, 16, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"an icon is no bitmap", kIcons, IMAGE_BITMAP, 16, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"cursors are not offered", kIcons, IMAGE_CURSOR, 16, ERROR_INVALID_PARAMETER},
      {"negative size", kIcons, IMAGE_ICON, -16, ERROR_INVALID_PARAMETER},
      {"absurd size", kIcons, IMAGE_ICON, 100000, ERROR_INVALID_PARAMETER},
      {"no name", nullptr, IMAGE_ICON, 16, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadImageW(nullptr, c.name, c.type, c.width, 16, 0), nullptr) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
  EXPECT_FALSE(DestroyIcon(nullptr));
  HICON icon = static_cast<HICON>(LoadImageW(nullptr, kIcons, IMAGE_ICON, 16, 16, 0));
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  Canvas canvas(4, 4, 32);
  EXPECT_FALSE(DrawIconEx(canvas.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
}

// Icon files damaged in the ways a reader must survive, registered as
// resources of their own.
std::vector<BYTE> IconFile() {
  std::ifstream in(std::string(QUORLA_SOURCE_DIR) + "/platform/shell/tests/fixtures/test_icons.ico", std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

void Put32(std::vector<BYTE>& b, size_t at, DWORD v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<BYTE>(v >> (8 * i));
}

DWORD Get32(const std::vector<BYTE>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (DWORD(b[at + 3]) << 24);
}

// The file cut down to one of its images (directory entry `index`), so a
// load at any size reads exactly that image.
std::vector<BYTE> OnlyImage(const std::vector<BYTE>& file, int index) {
  size_t entry = 6 + 16 * index;
  DWORD size = Get32(file, entry + 8), offset = Get32(file, entry + 12);
  std::vector<BYTE> out = {0, 0, 1, 0, 1, 0};
  out.insert(out.end(), file.begin() + entry, file.begin() + entry + 16);
  Put32(out, 6 + 12, 22);
  out.insert(out.end(), file.begin() + offset, file.begin() + offset + size);
  return out;
}

TEST(Icons, DamagedIconFilesFailCleanly) {
  const std::vector<BYTE> file = IconFile();
  ASSERT_GT(file.size(), 100u);
  const std::vector<BYTE> red = OnlyImage(file, 0), green = OnlyImage(file, 1), blue = OnlyImage(file, 2);
  const size_t image = 22;  // where the single image starts
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    bool loads;
    std::uint32_t colour;
  };
  std::vector<Case> cases = {
      {"intact single image", red, true, kRed},
      {"too short for a directory", {0, 0, 1, 0}, false, 0},
      {"not an icon file (type 2)", [&] { auto b = red; b[2] = 2; return b; }(), false, 0},
      {"no images", [&] { auto b = red; b[4] = 0; return b; }(), false, 0},
      {"more entries than the file holds", [&] { auto b = red; b[4] = 200; return b; }(), false, 0},
      {"image beyond the end", [&] { auto b = red; Put32(b, 18, 1u << 30); return b; }(), false, 0},
      {"image size beyond the end", [&] { auto b = red; Put32(b, 14, 0xFFFFFFFFu); return b; }(), false, 0},
      {"compressed bitmap", [&] { auto b = red; Put32(b, image + 16, 1); return b; }(), false, 0},
      {"odd bit count", [&] { auto b = red; b[image + 14] = 7; return b; }(), false, 0},
      {"huge width", [&] { auto b = red; Put32(b, image + 4, 1u << 20); return b; }(), false, 0},
      {"zero height", [&] { auto b = red; Put32(b, image + 8, 0); return b; }(), false, 0},
      {"colour rows cut", [&] { auto b = red; b.resize(image + 40 + 100); Put32(b, 14, 140); return b; }(), false, 0},
      {"32-bit without its mask", [&] { auto b = red; b.resize(b.size() - 64); Put32(b, 14, Get32(b, 14) - 64); return b; }(),
       true, kRed},
      {"palette index past the colours used", [&] { auto b = green; Put32(b, image + 32, 1); return b; }(), false, 0},
      {"8-bit without its mask", [&] { auto b = green; b.resize(b.size() - 4 * 24); Put32(b, 14, Get32(b, 14) - 96); return b; }(),
       false, 0},
      {"broken png", [&] { auto b = blue; b[image + 20] ^= 0xFF; b.resize(b.size() - 12); Put32(b, 14, Get32(b, 14) - 12); return b; }(),
       false, 0},
  };
  static std::deque<std::vector<BYTE>> kept;  // resources must outlive the process's use of them
  WORD id = 7300;
  for (Case& c : cases) {
    kept.push_back(c.bytes);
    ASSERT_TRUE(RegisterResourceW(nullptr, RT_GROUP_ICON, MAKEINTRESOURCEW(id), kept.back().data(),
                                  static_cast<DWORD>(kept.back().size())));
    SetLastError(0);
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    ++id;
    EXPECT_EQ(icon != nullptr, c.loads) << c.what;
    if (icon) {
      EXPECT_EQ(Draw(icon).middle, c.colour) << c.what;
      DestroyIcon(icon);
    } else {
      EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA) << c.what;
    }
  }
}

TEST(Icons, DrawIconExScalesClipsAndFillsFirst) {
  HICON icon = static_cast<HICON>(LoadImageW(nullptr, kIcons, IMAGE_ICON, 16, 16, 0));
  Canvas canvas(40, 40, 24);
  canvas.Fill(kGround);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  EXPECT_TRUE(DrawIconEx(canvas.dc, 4, 4, icon, 32, 32, 0, white, DI_NORMAL));
  EXPECT_EQ(canvas.Rgb(20, 20), kRed);
  EXPECT_EQ(canvas.Rgb(35, 35), kRed);
  EXPECT_EQ(canvas.Rgb(4, 4), 0xFFFFFFu);  // the clear corner shows the brush
  EXPECT_EQ(canvas.Rgb(3, 3), kGround);
  EXPECT_EQ(canvas.Rgb(36, 36), kGround);
  canvas.Fill(kGround);
  EXPECT_TRUE(DrawIconEx(canvas.dc, 30, 30, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE));
  EXPECT_EQ(canvas.Rgb(39, 39), kRed);  // 32 x 32, cut at the canvas edge
  EXPECT_EQ(canvas.Rgb(29, 39), kGround);
  EXPECT_FALSE(DrawIconEx(canvas.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_MASK));
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  DeleteObject(white);
  DestroyIcon(icon);
}

}  // namespace
