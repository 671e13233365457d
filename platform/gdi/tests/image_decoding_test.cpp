#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <functional>

#include "win/gdi_objects.h"
#include "win/image_decoding.h"
#include "win/last_error.h"

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// A 3 x 2 picture with a distinct pixel at each place.
QImage Picture(QImage::Format format) {
  QImage image(3, 2, QImage::Format_ARGB32);
  const QRgb pixels[2][3] = {{qRgba(200, 100, 50, 128), qRgba(0, 0, 0, 0), qRgba(255, 255, 255, 255)},
                             {qRgba(10, 20, 30, 255), qRgba(1, 2, 3, 4), qRgba(250, 0, 125, 64)}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) image.setPixel(x, y, pixels[y][x]);
  return image.convertToFormat(format);
}

TEST(ImageDecodingTest, PicturesBecomeTopDownSectionsKeepingStraightAlpha) {
  const struct {
    const char* name;
    QByteArray bytes;
    int bitCount;
    BOOL alpha;
  } cases[] = {
      {"PNG with alpha", Encoded(Picture(QImage::Format_ARGB32), "PNG"), 32, TRUE},
      {"PNG without alpha", Encoded(Picture(QImage::Format_RGB32), "PNG"), 24, FALSE},
      {"grey PNG", Encoded(Picture(QImage::Format_Grayscale8), "PNG"), 24, FALSE},
      {"BMP", Encoded(Picture(QImage::Format_RGB888), "BMP"), 24, FALSE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BOOL alpha = 2;
    HBITMAP section = quorla::DecodeImageToDib(c.bytes.constData(), static_cast<SIZE_T>(c.bytes.size()), &alpha);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(alpha, c.alpha);
    DIBSECTION description{};
    ASSERT_EQ(GetObjectW(section, sizeof description, &description), static_cast<int>(sizeof description));
    EXPECT_EQ(description.dsBm.bmWidth, 3);
    EXPECT_EQ(description.dsBm.bmHeight, 2);
    EXPECT_EQ(description.dsBm.bmBitsPixel, c.bitCount);
    EXPECT_LT(description.dsBmih.biHeight, 0);  // top-down
    const auto* bits = static_cast<const BYTE*>(description.dsBm.bmBits);
    const int bytesPerPixel = c.bitCount / 8;
    QImage expected = QImage::fromData(c.bytes).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const BYTE* p = bits + y * description.dsBm.bmWidthBytes + x * bytesPerPixel;
        QRgb want = expected.pixel(x, y);
        EXPECT_EQ(p[0], qBlue(want)) << x << "," << y;
        EXPECT_EQ(p[1], qGreen(want)) << x << "," << y;
        EXPECT_EQ(p[2], qRed(want)) << x << "," << y;
        if (c.alpha) {
          EXPECT_EQ(p[3], qAlpha(want)) << x << "," << y;
        }
      }
    }
    if (c.alpha) {
      // Straight alpha: (200, 100, 50) at 128 is stored as it was drawn.
      EXPECT_EQ(bits[0], 50);
      EXPECT_EQ(bits[1], 100);
      EXPECT_EQ(bits[2], 200);
      EXPECT_EQ(bits[3], 128);
    }
    DeleteObject(section);
  }
}

TEST(ImageDecodingTest, BytesThatAreNoWholePictureGiveNothing) {
  QByteArray png = Encoded(Picture(QImage::Format_ARGB32), "PNG");
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"empty", QByteArray()},
      {"text", QByteArray("not a picture at all")},
      {"signature only", png.left(8)},
      {"cut in its header", png.left(20)},
      {"cut in its pixels", png.left(png.size() - 16)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BOOL alpha = 2;
    SetLastError(0);
    EXPECT_EQ(quorla::DecodeImageToDib(c.bytes.constData(), static_cast<SIZE_T>(c.bytes.size()), &alpha), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(alpha, FALSE);
  }
  EXPECT_EQ(quorla::DecodeImageToDib(nullptr, 10, nullptr), nullptr);
}

}  // namespace
