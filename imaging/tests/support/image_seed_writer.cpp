// Writes the seed corpora of the image fuzz targets:
//   image_seed_writer <fuzz/corpus directory>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "image_samples.h"
#include "png_writer.h"

using namespace quorla_test;
namespace fs = std::filesystem;

namespace {

void Save(const fs::path& dir, const std::string& name, const Bytes& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::pair<std::string, Bytes>> PngSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  struct Kind {
    int colorType, bitDepth;
  } kinds[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
               {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
  for (const Kind& k : kinds) {
    for (bool interlaced : {false, true}) {
      PngImage image = PatternImage(9, 7, k.colorType, k.bitDepth, interlaced);
      if (k.colorType == 3) image.trnsAlpha = {0, 128};
      if (k.colorType == 0 && k.bitDepth == 8) {
        image.hasTrnsColor = true;
        image.trnsGray = 5;
      }
      if (k.colorType == 2) {
        image.hasTrnsColor = true;
        image.trnsRed = 1;
        image.hasPhys = true;
        image.physX = image.physY = 3780;
        image.physUnit = 1;
      }
      seeds.emplace_back("png-" + std::to_string(k.colorType) + "-" + std::to_string(k.bitDepth) +
                             (interlaced ? "-adam7" : ""),
                         WritePng(image));
    }
  }
  return seeds;
}

Bytes Rows(int rowBytes, int rows, std::uint8_t seed) {
  Bytes out(static_cast<std::size_t>(rowBytes) * rows);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(seed + i * 29);
  return out;
}

Bytes Palette(int entries, int entrySize = 4) {
  Bytes out;
  for (int i = 0; i < entries; ++i) {
    out.push_back(static_cast<std::uint8_t>(i * 5));
    out.push_back(static_cast<std::uint8_t>(i * 3));
    out.push_back(static_cast<std::uint8_t>(255 - i));
    if (entrySize == 4) out.push_back(0);
  }
  return out;
}

std::vector<std::pair<std::string, Bytes>> BmpSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  for (int bits : {1, 4, 8, 24, 32}) {
    BmpSpec s;
    s.width = 5;
    s.height = bits == 8 ? -3 : 3;
    s.bitCount = bits;
    if (bits <= 8) s.palette = Palette(1 << bits);
    s.pixels = Rows(((5 * bits + 31) / 32) * 4, 3, static_cast<std::uint8_t>(bits));
    seeds.emplace_back("bmp-" + std::to_string(bits), MakeBmp(s));
  }
  BmpSpec core;
  core.headerSize = 12;
  core.bitCount = 8;
  core.width = 4;
  core.height = 2;
  core.palette = Palette(256, 3);
  core.pixels = Rows(4, 2, 1);
  seeds.emplace_back("bmp-core-8", MakeBmp(core));
  BmpSpec rle8;
  rle8.bitCount = 8;
  rle8.compression = 1;
  rle8.width = 6;
  rle8.height = 3;
  rle8.palette = Palette(256);
  rle8.pixels = {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 9, 4, 0, 1};
  seeds.emplace_back("bmp-rle8", MakeBmp(rle8));
  BmpSpec rle4 = rle8;
  rle4.bitCount = 4;
  rle4.compression = 2;
  rle4.palette = Palette(16);
  rle4.pixels = {5, 0x12, 0, 4, 0x34, 0x56, 0, 0, 2, 0x77, 0, 2, 2, 1, 3, 0x9A, 0, 1};
  seeds.emplace_back("bmp-rle4", MakeBmp(rle4));
  BmpSpec bitfields;
  bitfields.bitCount = 16;
  bitfields.compression = 3;
  bitfields.width = 3;
  bitfields.height = 2;
  Put32(bitfields.masks, 0xF800);
  Put32(bitfields.masks, 0x07E0);
  Put32(bitfields.masks, 0x001F);
  bitfields.pixels = Rows(8, 2, 200);
  seeds.emplace_back("bmp-565", MakeBmp(bitfields));
  BmpSpec v5 = bitfields;
  v5.headerSize = 124;
  v5.bitCount = 32;
  v5.compression = 0;
  v5.masks.clear();
  v5.pixels = Rows(12, 2, 3);
  seeds.emplace_back("bmp-v5-32", MakeBmp(v5));
  BmpSpec bare;
  bare.fileHeader = false;
  bare.pixels = Rows(4, 1, 0);
  seeds.emplace_back("bmp-bare-dib", MakeBmp(bare));
  return seeds;
}

std::vector<std::pair<std::string, Bytes>> IcoSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  Bytes mask = Rows(4, 16, 0);
  for (int i = 0; i < 16 * 4; i += 4) mask[i] = 0x0F;
  seeds.emplace_back("ico-32", MakeIco({{16, 16, IconDib(16, 16, 32, {}, Rows(64, 16, 7), mask)}}));
  seeds.emplace_back("ico-4", MakeIco({{16, 16, IconDib(16, 16, 4, Palette(16), Rows(8, 16, 1), mask)}}));
  seeds.emplace_back("ico-8-and-1",
                     MakeIco({{8, 8, IconDib(8, 8, 8, Palette(256), Rows(8, 8, 2), Rows(4, 8, 0))},
                              {8, 8, IconDib(8, 8, 1, Palette(2), Rows(4, 8, 3), Rows(4, 8, 0xF0))}}));
  seeds.emplace_back("ico-24", MakeIco({{4, 4, IconDib(4, 4, 24, {}, Rows(12, 4, 9), Rows(4, 4, 0xFF))}}));
  seeds.emplace_back("ico-png", MakeIco({{0, 0, WritePng(PatternImage(16, 16, 6, 8))},
                                         {0, 0, WritePng(PatternImage(5, 5, 3, 4, true))}}));
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
    return 2;
  }
  fs::path root = argv[1];
  for (auto& [name, bytes] : PngSeeds()) {
    Save(root / "lib_png", name, bytes);
    Save(root / "dib_png", name, bytes);
  }
  for (auto& [name, bytes] : BmpSeeds()) Save(root / "dib_bmp", name, bytes);
  for (auto& [name, bytes] : IcoSeeds()) Save(root / "dib_ico", name, bytes);
  return 0;
}
