#include "png_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>

namespace quorla_test {

int PngImage::Channels() const {
  switch (colorType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

std::size_t PngImage::RowBytes() const { return (static_cast<std::size_t>(width) * Channels() * bitDepth + 7) / 8; }

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void Flush(png_structp) {}

}  // namespace

std::vector<std::uint8_t> WritePng(const PngImage& image) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < image.palette.size(); i += 3) {
    palette.push_back(png_color{image.palette[i], image.palette[i + 1], image.palette[i + 2]});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_color_16 color{};
  color.gray = image.trnsGray;
  color.red = image.trnsRed;
  color.green = image.trnsGreen;
  color.blue = image.trnsBlue;
  if (!image.trnsAlpha.empty()) {
    png_set_tRNS(png, info, image.trnsAlpha.data(), static_cast<int>(image.trnsAlpha.size()), nullptr);
  } else if (image.hasTrnsColor) {
    png_set_tRNS(png, info, nullptr, 1, &color);
  }
  if (image.hasPhys) png_set_pHYs(png, info, image.physX, image.physY, image.physUnit);
  png_write_info(png, info);
  int passes = png_set_interlace_handling(png);
  std::size_t rowBytes = image.RowBytes();
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < image.height; ++y) {
      png_write_row(png, const_cast<png_bytep>(image.rows.data() + rowBytes * y));
    }
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

PngImage PatternImage(int width, int height, int colorType, int bitDepth, bool interlaced) {
  PngImage image;
  image.width = width;
  image.height = height;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.interlaced = interlaced;
  image.rows.resize(image.RowBytes() * height);
  for (std::size_t i = 0; i < image.rows.size(); ++i) image.rows[i] = static_cast<std::uint8_t>(i * 37 + (i >> 5) * 11);
  if (colorType == 3) {
    int entries = 1 << bitDepth;
    for (int i = 0; i < entries; ++i) {
      image.palette.push_back(static_cast<std::uint8_t>(i * 3));
      image.palette.push_back(static_cast<std::uint8_t>(255 - i));
      image.palette.push_back(static_cast<std::uint8_t>(i * 7));
    }
  }
  return image;
}

std::vector<std::uint8_t> DeclaringSize(std::vector<std::uint8_t> png, std::uint32_t width, std::uint32_t height) {
  auto put32 = [&png](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
  };
  put32(16, width);
  put32(20, height);
  put32(29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
  return png;
}

}  // namespace quorla_test
