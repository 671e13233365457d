#include "slices.h"

#include <QPainter>

#include "drawing.h"

namespace slices {

QImage Three(const QImage& drawing, int width) {
  QImage image = drawing::NewCanvas(3 * width, drawing.height());
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const int middle = (drawing.width() - width) / 2;
  painter.drawImage(0, 0, drawing, 0, 0, width, drawing.height());
  painter.drawImage(width, 0, drawing, middle, 0, width, drawing.height());
  painter.drawImage(2 * width, 0, drawing, drawing.width() - width, 0, width, drawing.height());
  return image;
}

QImage Nine(int width, int height, int drawingWidth, const std::function<QImage(int look)>& look) {
  QImage image = drawing::NewCanvas(9 * width, height);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (int i = 0; i < 3; ++i) {
    const QImage drawn = look(i);
    Q_ASSERT(drawn.width() == drawingWidth && drawn.height() == height);
    painter.drawImage(3 * width * i, 0, Three(drawn, width));
  }
  return image;
}

}  // namespace slices

QImage RowBeneath(const QImage& row, int top, int width, int height) {
  return row.copy(0, top, row.width(), height)
      .scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
