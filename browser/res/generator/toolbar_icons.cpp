#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "metrics.h"

namespace art {
namespace {

const QColor kMedallionEdge{0xC8, 0x3E, 0x1C};

// The toolbar's icons are the family's orange medallion with a white sign,
// set at the left of a 32-pixel frame: the button's text follows the frame.
QImage Medallion(const std::function<void(QPainter&)>& sign) {
  const int size = metrics::kToolbarIcon;
  QImage image = drawing::NewCanvas(size, size);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const QPointF centre(16.0, 16.0);
  QLinearGradient fill(0, 6, 0, 26);
  fill.setColorAt(0, chrome::kAccentLight);
  fill.setColorAt(1, chrome::kAccentDeep);
  painter.setPen(QPen(kMedallionEdge, 1.0));
  painter.setBrush(fill);
  painter.drawEllipse(centre, 10.0, 10.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  sign(painter);
  painter.end();
  return image;
}

// The product's home page: a house.
void House(QPainter& painter) {
  QPainterPath house;
  house.moveTo(16, 9);
  house.lineTo(23, 15.5);
  house.lineTo(21, 15.5);
  house.lineTo(21, 22);
  house.lineTo(17.75, 22);
  house.lineTo(17.75, 18);
  house.lineTo(14.25, 18);
  house.lineTo(14.25, 22);
  house.lineTo(11, 22);
  house.lineTo(11, 15.5);
  house.lineTo(9, 15.5);
  house.closeSubpath();
  painter.drawPath(house);
}

// The watch list of price drops: a price line going down, with its head.
void FallingPrice(QPainter& painter) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath line;
  line.moveTo(10.5, 12.5);
  line.lineTo(14.0, 16.0);
  line.lineTo(17.0, 13.5);
  line.lineTo(20.5, 18.0);
  painter.drawPath(line);
  // The head points along the last stretch of the line.
  const QPointF from(17.0, 13.5);
  const QPointF to(20.5, 18.0);
  const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF across(-along.y(), along.x());
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  QPainterPath head;
  head.moveTo(to + along * 3.0);
  head.lineTo(to - along * 1.0 + across * 3.2);
  head.lineTo(to - along * 1.0 - across * 3.2);
  head.closeSubpath();
  painter.drawPath(head);
}

}  // namespace

QImage ToolbarIcons() {
  const QImage frames[2] = {Medallion(House), Medallion(FallingPrice)};
  return drawing::Strip(frames, 2);
}

}  // namespace art
