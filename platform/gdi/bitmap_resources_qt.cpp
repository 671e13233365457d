#include "bitmap_resources.h"

#include <QByteArray>
#include <QImage>
#include <cstring>
#include <vector>

#include "bitmap_object.h"
#include "win/dib.h"
#include "win/icons.h"
#include "win/last_error.h"

namespace quorla {
namespace {

bool IsPng(const BYTE* data, DWORD size) {
  static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

// A packed DIB (a header, the colour table, the pixels) as a BMP file, so
// that one reader serves both forms.
QByteArray BmpFileOfPackedDib(const BYTE* data, DWORD size) {
  if (size < sizeof(DWORD)) return {};
  DWORD headerSize;
  std::memcpy(&headerSize, data, sizeof headerSize);
  if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size) return {};
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  DWORD colours = 0;
  if (header.biBitCount <= 8) colours = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
  DWORD masks = (header.biCompression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
  unsigned long long offset = sizeof(BITMAPFILEHEADER) + static_cast<unsigned long long>(headerSize) + masks +
                              static_cast<unsigned long long>(colours) * sizeof(RGBQUAD);
  if (offset > sizeof(BITMAPFILEHEADER) + static_cast<unsigned long long>(size)) return {};
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(sizeof file + size);
  file.bfOffBits = static_cast<DWORD>(offset);
  QByteArray bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  return bytes;
}

QImage DecodePicture(const BYTE* data, DWORD size) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (IsPng(data, size)) return QImage::fromData(bytes, "PNG");
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return QImage::fromData(bytes, "BMP");
  QByteArray file = BmpFileOfPackedDib(data, size);
  return file.isEmpty() ? QImage() : QImage::fromData(file, "BMP");
}

}  // namespace

HBITMAP LoadBitmapResource(HINSTANCE instance, LPCWSTR name, int width, int height) {
  HRSRC resource = FindResourceW(instance, name, RT_BITMAP);
  if (!resource) return nullptr;  // FindResourceW set the error
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
  QImage picture = data ? DecodePicture(data, SizeofResource(instance, resource)) : QImage();
  if (picture.isNull()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  if (width > 0 && height > 0 && picture.size() != QSize(width, height))
    picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // The colours as stored, whatever alpha a PNG carries: the bitmap is
  // opaque.
  picture = picture.convertToFormat(QImage::Format_ARGB32);
  auto bitmap = BitmapObject::Create(picture.width(), picture.height(), 24, nullptr, 0);
  if (!bitmap) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Surface surface = bitmap->GetSurface();
  std::vector<std::uint32_t> row(static_cast<size_t>(picture.width()));
  for (int y = 0; y < picture.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) row[static_cast<size_t>(x)] = line[x] & 0x00FFFFFFu;
    WritePixels(surface, 0, y, picture.width(), row.data());
  }
  return InsertGdi<HBITMAP>(bitmap);
}

}  // namespace quorla

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return quorla::LoadBitmapResource(instance, name, 0, 0);
}
