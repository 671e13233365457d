#pragma once
// Small writers of BMP and ICO bytes for tests and seed corpora.
#include <cstdint>
#include <vector>

namespace quorla_test {

using Bytes = std::vector<std::uint8_t>;

struct BmpSpec {
  int width = 1;
  int height = 1;  // negative: top-down rows
  int bitCount = 24;
  std::uint32_t compression = 0;
  int headerSize = 40;  // 12 (core), 40, 64, or longer (108, 124)
  bool fileHeader = true;
  std::uint32_t colorsUsed = 0;
  Bytes palette;  // 4 bytes per entry (3 for the core header)
  Bytes masks;    // bit-field masks written after the header
  Bytes pixels;   // the pixel data as stored in the file
  std::int32_t pixelsPerMeter = 3780;
};
Bytes MakeBmp(const BmpSpec& spec);

// A DIB entry of an icon: header (height doubled for the mask), palette,
// XOR rows and AND rows.
Bytes IconDib(int width, int height, int bitCount, const Bytes& palette, const Bytes& xorRows, const Bytes& andRows);

struct IcoEntrySpec {
  std::uint8_t width;
  std::uint8_t height;
  Bytes data;
};
Bytes MakeIco(const std::vector<IcoEntrySpec>& entries, std::uint16_t type = 1, std::uint16_t reserved = 0);

void Put16(Bytes& out, std::uint16_t v);
void Put32(Bytes& out, std::uint32_t v);

}  // namespace quorla_test
