#include <QByteArray>
#include <QImage>
#include <climits>
#include <cstring>

#include "win/image_decoding.h"
#include "win/last_error.h"

namespace {

HBITMAP SectionOf(const QImage& picture, int bitCount) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width();
  info.bmiHeader.biHeight = -picture.height();  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return nullptr;
  const size_t rowBytes = static_cast<size_t>(picture.width()) * static_cast<size_t>(bitCount / 8);
  const size_t pitch = (rowBytes + 3) & ~size_t{3};
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(static_cast<BYTE*>(bits) + pitch * static_cast<size_t>(y), picture.constScanLine(y), rowBytes);
  return section;
}

}  // namespace

HBITMAP quorla::DecodeImageToDib(const void* data, SIZE_T size, BOOL* hasAlpha) {
  if (hasAlpha) *hasAlpha = FALSE;
  QImage picture;
  if (data && size > 0 && size <= static_cast<SIZE_T>(INT_MAX)) {
    picture = QImage::fromData(
        QByteArray::fromRawData(static_cast<const char*>(data), static_cast<qsizetype>(size)));
  }
  if (picture.isNull()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  const bool alpha = picture.hasAlphaChannel();
  // ARGB32 is straight alpha, each pixel 0xAARRGGBB: blue, green, red,
  // alpha in memory, as the DIB has them. BGR888 is the 24-bit DIB order.
  HBITMAP section = alpha ? SectionOf(picture.convertToFormat(QImage::Format_ARGB32), 32)
                          : SectionOf(picture.convertToFormat(QImage::Format_BGR888), 24);
  if (!section) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (hasAlpha) *hasAlpha = alpha ? TRUE : FALSE;
  return section;
}
