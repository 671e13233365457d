#include "ico_file.h"

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

// One entry's data: BITMAPINFOHEADER (height doubled for the mask), the
// colour rows bottom-up in blue, green, red, alpha order, then the
// one-bit mask with rows padded to four bytes (set where fully clear).
QByteArray BitmapEntry(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int width = image.width();
  const int height = image.height();
  const int maskStride = ((width + 31) / 32) * 4;
  const quint32 colourBytes = static_cast<quint32>(width) * height * 4;
  const quint32 maskBytes = static_cast<quint32>(maskStride) * height;

  QByteArray out;
  Put32(out, 40);
  Put32(out, static_cast<quint32>(width));
  Put32(out, static_cast<quint32>(height * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, colourBytes + maskBytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);

  for (int y = height - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      out.append(static_cast<char>(qBlue(row[x])));
      out.append(static_cast<char>(qGreen(row[x])));
      out.append(static_cast<char>(qRed(row[x])));
      out.append(static_cast<char>(qAlpha(row[x])));
    }
  }
  for (int y = height - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QByteArray mask(maskStride, '\0');
    for (int x = 0; x < width; ++x) {
      if (qAlpha(row[x]) == 0) mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(mask);
  }
  return out;
}

}  // namespace

bool WriteIcoFile(const QList<QImage>& images, const QString& path) {
  if (images.isEmpty()) return false;
  QList<QByteArray> entries;
  for (const QImage& image : images) {
    if (image.width() < 1 || image.width() > 255 || image.height() < 1 || image.height() > 255) return false;
    entries.append(BitmapEntry(image));
  }

  QByteArray file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (qsizetype i = 0; i < images.size(); ++i) {
    file.append(static_cast<char>(images[i].width()));
    file.append(static_cast<char>(images[i].height()));
    file.append('\0');
    file.append('\0');
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, static_cast<quint32>(entries[i].size()));
    Put32(file, offset);
    offset += static_cast<quint32>(entries[i].size());
  }
  for (const QByteArray& entry : entries) file.append(entry);

  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) return false;
  out.write(file);
  return out.commit();
}
