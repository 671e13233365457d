#pragma once
// Writes PNG images for tests, seed corpora and benchmarks, through
// libpng's writer, so fixtures are made on the spot instead of shipped.
#include <cstdint>
#include <vector>

namespace quorla_test {

struct PngImage {
  int width = 1;
  int height = 1;
  int colorType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  int bitDepth = 8;
  bool interlaced = false;
  // Rows as libpng takes them: samples in R, G, B, A order, 16-bit samples
  // most significant byte first, sub-byte pixels packed from the high bits.
  std::vector<std::uint8_t> rows;
  std::vector<std::uint8_t> palette;  // RGB triples
  std::vector<std::uint8_t> trnsAlpha;  // palette alpha values
  bool hasTrnsColor = false;
  std::uint16_t trnsGray = 0, trnsRed = 0, trnsGreen = 0, trnsBlue = 0;
  bool hasPhys = false;
  std::uint32_t physX = 0, physY = 0;
  int physUnit = 0;

  int Channels() const;
  std::size_t RowBytes() const;
};

// Encoded bytes; empty when libpng refused the description.
std::vector<std::uint8_t> WritePng(const PngImage& image);

// An image of the given type whose samples follow a simple pattern that
// differs between neighbouring pixels.
PngImage PatternImage(int width, int height, int colorType, int bitDepth, bool interlaced = false);

// png with the width and height its header declares replaced (and the
// header's checksum made to match), the data left as it was.
std::vector<std::uint8_t> DeclaringSize(std::vector<std::uint8_t> png, std::uint32_t width, std::uint32_t height);

}  // namespace quorla_test
