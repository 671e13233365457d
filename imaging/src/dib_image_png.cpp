// CDibImagePNG: PNG into a CDibImage through libpng's read interface,
// keeping palettes, grey levels and low bit depths as palette images and
// putting alpha into the alpha plane.
#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "imaging/dib_decoders.h"
#include "imaging/dib_file.h"

namespace {

struct PngContext {
  CDibImage* image;
  CDibFile* file;
  char* errorText;
  png_structp png = nullptr;
  png_infop info = nullptr;
  BYTE* row = nullptr;
};

void ReadFromStream(png_structp png, png_bytep out, png_size_t length) {
  auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
  if (!context->file || length > 0xFFFFFFFFu ||
      context->file->Read(out, 1, static_cast<DWORD>(length)) < length) {
    png_error(png, "Read Error");
  }
}

void StoreError(png_structp png, png_const_charp message) {
  auto* text = static_cast<char*>(png_get_error_ptr(png));
  if (text && message) {
    std::strncpy(text, message, 255);
    text[255] = 0;
  }
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The most deflate can expand its input (about 1032 to 1), with room for
// headers: a PNG whose rows need more raw bytes than the stream could
// inflate to cannot be read whole, so it fails before its image is made.
bool StreamCanHold(CDibFile* file, std::uint64_t rawBytes) {
  LONG size = file->Size(), position = file->Tell();
  if (size < 0 || position < 0) return true;
  std::uint64_t left = size > position ? static_cast<std::uint64_t>(size - position) : 0;
  return rawBytes <= left * 1040 + 4096;
}

enum class Outcome { kDone, kHeaderOnly, kFailed };

}  // namespace

// The part that libpng may leave by a long jump: nothing in it has a
// destructor, and everything it allocates is kept in the context.
static Outcome ReadPng(PngContext& c) {
  if (setjmp(png_jmpbuf(c.png))) return Outcome::kFailed;
  CDibImage& image = *c.image;
  png_structp png = c.png;
  png_infop info = c.info;
  png_set_read_fn(png, &c, ReadFromStream);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  const int colorType = png_get_color_type(png, info);
  if (image.GetInfo().escape == -1) return Outcome::kHeaderOnly;

  int channels;
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      channels = 1;
      break;
    case PNG_COLOR_TYPE_RGB:
      channels = 3;
      break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      channels = 2;
      break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      channels = 4;
      break;
    default:
      std::strcpy(c.errorText, "unknown PNG color type");
      return Outcome::kFailed;
  }
  int pngPixelDepth = bitDepth * channels;
  int pixelDepth = (channels == 1 && pngPixelDepth > 8) ? 8 : pngPixelDepth;
  DWORD bitCount = channels >= 3 ? 24 : channels == 2 ? 8 : static_cast<DWORD>(pixelDepth);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  if (CDibImage::WithinMemoryLimit(width, height, bitCount) &&
      !StreamCanHold(c.file, (static_cast<std::uint64_t>(rowBytes) + 1) * height)) {
    png_error(png, "Read Error");
  }
  if (!image.Create(width, height, bitCount, DIBIMAGE_FORMAT_PNG)) return Outcome::kFailed;

  png_uint_32 resX = 0, resY = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &resX, &resY, &unit)) {
    if (unit == PNG_RESOLUTION_METER) {
      resX = static_cast<png_uint_32>(std::floor(resX * 254.0 / 10000.0 + 0.5));
      resY = static_cast<png_uint_32>(std::floor(resY * 254.0 / 10000.0 + 0.5));
    }
    image.SetDpiX(static_cast<LONG>(resX));
    image.SetDpiY(static_cast<LONG>(resY));
  }

  png_colorp palette = nullptr;
  int paletteCount = 0;
  if (png_get_PLTE(png, info, &palette, &paletteCount) && paletteCount > 0) {
    image.SetPaletteRgb(reinterpret_cast<const BYTE*>(palette), static_cast<DWORD>(paletteCount));
    image.SetImportantColors(static_cast<DWORD>(paletteCount));
  } else if (bitDepth == 2) {
    for (int j = 0; j < 4; ++j) {
      BYTE v = static_cast<BYTE>(j * 85);
      image.SetPaletteEntry(static_cast<BYTE>(j), v, v, v, 0);
    }
  } else {
    image.FillGrayPalette();
  }

  png_bytep transAlpha = nullptr;
  int transCount = 0;
  png_color_16p transColor = nullptr;
  if (png_get_tRNS(png, info, &transAlpha, &transCount, &transColor)) {
    int shift = bitDepth <= 8 ? 0 : (bitDepth / 8 - 1) * 8;
    if (transCount == 1) {
      LONG index = colorType == PNG_COLOR_TYPE_PALETTE ? (transColor ? transColor->index : 0)
                                                       : (transColor ? transColor->gray >> shift : 0);
      image.SetTransparentIndexDirect(index);
    } else if (transCount > 1 && paletteCount > 0 && transAlpha) {
      RGBQUAD* entries = image.GetPaletteStart();
      DWORD size = image.GetHeader().biClrUsed;
      for (DWORD i = 0; entries && i < size; ++i) {
        entries[i].rgbReserved = static_cast<int>(i) < transCount && static_cast<int>(i) < paletteCount ? transAlpha[i] : 255;
      }
      image.SetAlphaPaletteEnabled(true);
    }
    if (channels == 3 && transColor) {
      RGBQUAD key{static_cast<BYTE>(transColor->blue >> shift), static_cast<BYTE>(transColor->green >> shift),
                  static_cast<BYTE>(transColor->red >> shift), 0};
      image.SetTransparentColor(key);
      image.SetTransparentIndexDirect(0);
    }
  }

  if (channels == 2 || channels == 4) {
    if (!image.CreateAlpha()) png_error(png, "can't allocate memory");
  }
  if (colorType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  if (image.GetInfo().escape != 0) return Outcome::kFailed;

  c.row = static_cast<BYTE*>(std::malloc(rowBytes + 8));
  if (!c.row) png_error(png, "can't allocate memory");
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  image.SetFormatOption(passes > 1 ? 1 : 0, image.GetType());
  const std::size_t sampleStep = static_cast<std::size_t>(bitDepth / 8);
  const std::size_t pixelStep = static_cast<std::size_t>(pngPixelDepth / 8);
  const int colorBytes = channels == 2 ? 1 : 3;
  const std::size_t dibRowBytes = image.GetRowBytes();
  const bool interlaced = passes > 1;

  for (int pass = 0; pass < passes; ++pass) {
    CDibRowIterator rows(&image);
    rows.SetY(static_cast<LONG>(height) - 1);
    for (png_uint_32 y = 0; y < height; ++y) {
      if (image.GetInfo().escape != 0) return Outcome::kFailed;
      BYTE* dibRow = rows.GetRow();
      if (image.HasAlpha()) {
        LONG ay = static_cast<LONG>(height - 1 - y);
        BYTE* target = image.GetRow(ay);
        if (interlaced && pass > 0) {
          for (png_uint_32 x = 0; x < width; ++x) {
            BYTE* px = c.row + x * pixelStep;
            for (int k = 0; k < colorBytes; ++k) px[k * sampleStep] = target[x * colorBytes + k];
            px[colorBytes * sampleStep] = image.GetAlphaAt(static_cast<LONG>(x), ay);
          }
        }
        png_read_row(png, c.row, nullptr);
        for (png_uint_32 x = 0; x < width; ++x) {
          const BYTE* px = c.row + x * pixelStep;
          for (int k = 0; k < colorBytes; ++k) target[x * colorBytes + k] = px[k * sampleStep];
          image.SetAlphaAt(static_cast<LONG>(x), ay, px[colorBytes * sampleStep]);
        }
      } else {
        if (interlaced && pass > 0) {
          std::memcpy(c.row, dibRow, std::min(dibRowBytes, rowBytes + 8));
          if (bitDepth == 16) {
            for (std::size_t i = rowBytes / 2; i-- > 0;) c.row[2 * i] = c.row[i];
          }
        }
        png_read_row(png, c.row, nullptr);
        std::size_t bytes = rowBytes;
        if (bitDepth == 16) {
          bytes = rowBytes / 2;
          for (std::size_t i = 0; i < bytes; ++i) c.row[i] = c.row[2 * i];
        }
        std::memcpy(dibRow, c.row, std::min(bytes, dibRowBytes));
        if (bitDepth == 2 && pass == passes - 1) image.ExpandTwoToFourBits(dibRow, width);
        rows.PrevRow();
      }
    }
  }
  png_read_end(png, nullptr);
  return Outcome::kDone;
}

bool CDibImagePNG::Decode(CDibFile* file) {
  if (!file) {
    SetError("null file handler");
    return false;
  }
  PngContext c{this, file, m_info.lastError};
  c.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, m_info.lastError, StoreError, IgnoreWarning);
  if (!c.png) {
    SetError("Failed to create PNG structure");
    return false;
  }
  c.info = png_create_info_struct(c.png);
  if (!c.info) {
    png_destroy_read_struct(&c.png, nullptr, nullptr);
    SetError("Failed to initialize PNG info structure");
    return false;
  }
  Outcome outcome = ReadPng(c);
  if (outcome == Outcome::kHeaderOnly) {
    m_header.biWidth = static_cast<LONG>(png_get_image_width(c.png, c.info));
    m_header.biHeight = static_cast<LONG>(png_get_image_height(c.png, c.info));
    m_info.imageType = DIBIMAGE_FORMAT_PNG;
  }
  std::free(c.row);
  png_destroy_read_struct(&c.png, &c.info, nullptr);
  if (outcome == Outcome::kDone) return true;
  return m_info.escape == -1 && m_info.imageType == DIBIMAGE_FORMAT_PNG;
}
