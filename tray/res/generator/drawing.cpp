#include "drawing.h"

#include <QPainter>
#include <QSaveFile>

namespace drawing {

QImage NewCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Prepare(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont UiFont(int pixelSize, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

namespace {

// Written beside the target and renamed over it, so a failed run leaves
// the previous image whole.
bool SavePng(const QImage& image, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!image.save(&file, "PNG")) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

bool SaveRgba(const QImage& image, const QString& path) {
  return SavePng(image.convertToFormat(QImage::Format_ARGB32), path);
}

bool SaveRgb(const QImage& image, const QString& path) {
  return SavePng(image.convertToFormat(QImage::Format_RGB888), path);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                channel(a.alpha(), b.alpha()));
}

QImage Strip(const QImage* frames, int count) {
  const int width = frames[0].width();
  QImage strip = NewCanvas(width * count, frames[0].height());
  QPainter painter(&strip);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (int i = 0; i < count; ++i) painter.drawImage(i * width, 0, frames[i]);
  return strip;
}

}  // namespace drawing
