#include "bitmap_file.h"

#include <QByteArray>
#include <QSaveFile>

namespace {

void Put16(QByteArray& out, quint16 value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>(value >> 8));
}

void Put32(QByteArray& out, quint32 value) {
  for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((value >> shift) & 0xFF));
}

}  // namespace

bool WriteBitmapFile(const QImage& source, const QString& path) {
  if (source.isNull()) return false;
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int width = image.width();
  const int height = image.height();
  const quint32 stride = (static_cast<quint32>(width) * 3 + 3) & ~3u;
  const quint32 pixelBytes = stride * static_cast<quint32>(height);
  const quint32 offset = 14 + 40;

  QByteArray out;
  out.append("BM");
  Put32(out, offset + pixelBytes);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<quint32>(width));
  Put32(out, static_cast<quint32>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // uncompressed
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QByteArray line;
    for (int x = 0; x < width; ++x) {
      line.append(static_cast<char>(qBlue(row[x])));
      line.append(static_cast<char>(qGreen(row[x])));
      line.append(static_cast<char>(qRed(row[x])));
    }
    line.append(QByteArray(static_cast<qsizetype>(stride) - line.size(), '\0'));
    out.append(line);
  }

  // Written beside the target and renamed over it: a failed run leaves the
  // previous file whole.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(out) != out.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}
