#include "lib_png.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "win/crt_file.h"
#include "win/dib.h"

S_COM::ClassEntry g_classLibPng = S_COM::MakeClassEntry<CLibPng>(u"CLibPng", true);

namespace {

struct MemoryReader {
  const BYTE* data;
  std::size_t size;
  std::size_t position;
};

void ReadFromBlock(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  // Never read past the block: a truncated image is a decode error.
  if (length > reader->size - reader->position) png_error(png, "Read Error");
  std::memcpy(out, reader->data + reader->position, length);
  reader->position += length;
}

// libpng's own handlers print to standard error; the component reports
// failures only by its null result.
void SilentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void SilentWarning(png_structp, png_const_charp) {}

// The most that deflate can expand its input (about 1032 to 1), with room
// for the headers: an image needing more raw bytes than this cannot be in
// the block, so it fails before anything is allocated for it.
bool FitsInBlock(std::uint64_t rawBytes, std::size_t blockSize) {
  return rawBytes <= static_cast<std::uint64_t>(blockSize) * 1040 + 4096;
}

// Blue, green and red of each BGRA pixel become floor(value x alpha / 255).
// Two channels share one 32-bit word (each product fits its 16 bits), and
// floor(x / 255) = (x + 1 + (x >> 8)) >> 8 holds for every x up to 255 x 255.
void PremultiplyRow(BYTE* row, png_uint_32 width) {
  for (png_uint_32 x = 0; x < width; ++x, row += 4) {
    std::uint32_t pixel;
    std::memcpy(&pixel, row, 4);
    std::uint32_t a = pixel >> 24;
    std::uint32_t rb = (pixel & 0x00FF00FFu) * a;
    std::uint32_t g = ((pixel >> 8) & 0xFFu) * a;
    rb = ((rb + 0x00010001u + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    g = ((g + 1 + (g >> 8)) >> 8) & 0xFFu;
    pixel = (a << 24) | (g << 8) | rb;
    std::memcpy(row, &pixel, 4);
  }
}

struct Decode {
  png_structp png = nullptr;
  png_infop info = nullptr;
  HBITMAP bitmap = nullptr;
};

// Runs the libpng part; false when libpng reported an error. Kept apart
// from the caller so that nothing with a destructor lives across setjmp.
bool RunDecode(Decode& d, MemoryReader& reader) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_set_read_fn(d.png, &reader, ReadFromBlock);
  png_read_info(d.png, d.info);
  png_uint_32 width = png_get_image_width(d.png, d.info);
  png_uint_32 height = png_get_image_height(d.png, d.info);
  int bitDepth = png_get_bit_depth(d.png, d.info);
  int colorType = png_get_color_type(d.png, d.info);
  if (!FitsInBlock((static_cast<std::uint64_t>(png_get_rowbytes(d.png, d.info)) + 1) * height, reader.size)) {
    png_error(d.png, "image larger than its data");
  }
  if (bitDepth == 16) png_set_strip_16(d.png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_expand(d.png);
  if (bitDepth < 8) png_set_expand(d.png);
  if (png_get_valid(d.png, d.info, PNG_INFO_tRNS)) png_set_expand(d.png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(d.png);
  // libpng 1.6 wants these before the information is updated.
  png_set_bgr(d.png);
  int passes = png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  int channels = png_get_channels(d.png, d.info);
  if (channels != 3 && channels != 4) png_error(d.png, "unexpected channel count");

  std::uint64_t stride = (static_cast<std::uint64_t>(channels) * width + 3) & ~std::uint64_t{3};
  if (width > 0x7FFFFFFF / 4 || height > 0x7FFFFFFF) png_error(d.png, "image too large");
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = static_cast<LONG>(width);
  bmi.bmiHeader.biHeight = -static_cast<LONG>(height);
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = static_cast<WORD>(channels * 8);
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  d.bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!d.bitmap || !bits) png_error(d.png, "out of memory");
  auto* base = static_cast<BYTE*>(bits);
  for (int pass = 0; pass < passes; ++pass) {
    const bool last = pass == passes - 1;
    for (png_uint_32 row = 0; row < height; ++row) {
      BYTE* target = base + stride * row;
      png_read_row(d.png, target, nullptr);
      // A row is final after the last pass; premultiply it while it is in cache.
      if (last && channels == 4) PremultiplyRow(target, width);
    }
  }
  png_read_end(d.png, nullptr);
  return true;
}

}  // namespace

HBITMAP CLibPng::LoadFromMemory(const void* data, UINT size) {
  if (!data || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) return nullptr;
  Decode d;
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
  if (!d.png) return nullptr;
  d.info = png_create_info_struct(d.png);
  if (!d.info) {
    png_destroy_read_struct(&d.png, nullptr, nullptr);
    return nullptr;
  }
  MemoryReader reader{static_cast<const BYTE*>(data), size, 0};
  bool ok = RunDecode(d, reader);
  png_destroy_read_struct(&d.png, &d.info, nullptr);
  if (!ok) {
    if (d.bitmap) DeleteObject(d.bitmap);
    return nullptr;
  }
  return d.bitmap;
}

HBITMAP CLibPng::LoadFromFile(LPCWSTR path) {
  if (!path) return nullptr;
  std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path, u"rb"), &std::fclose);
  if (!file) return nullptr;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
  long size = std::ftell(file.get());
  if (size <= 0 || static_cast<unsigned long>(size) > 0xFFFFFFFFul || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return nullptr;
  }
  std::vector<BYTE> block;
  try {
    block.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (std::fread(block.data(), 1, block.size(), file.get()) != block.size()) return nullptr;
  return LoadFromMemory(block.data(), static_cast<UINT>(block.size()));
}
