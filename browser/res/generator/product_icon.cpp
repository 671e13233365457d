#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"

namespace art {
namespace {

const QColor kBagEdge{0xB0, 0x32, 0x18};
const QColor kHandle{0xC8, 0x3E, 0x1C};

// The family's shopping bag, as the tray's icon carries it: a body a little
// wider at the bottom with a folded top edge and a handle set inside it.
void PaintBag(QPainter& painter, double s) {
  QPainterPath body;
  body.moveTo(0.14 * s, 0.30 * s);
  body.lineTo(0.86 * s, 0.30 * s);
  body.lineTo(0.94 * s, 0.95 * s);
  body.lineTo(0.06 * s, 0.95 * s);
  body.closeSubpath();
  QLinearGradient fill(0, 0.30 * s, 0, 0.95 * s);
  fill.setColorAt(0, chrome::kAccentLight);
  fill.setColorAt(1, chrome::kAccentDeep);
  painter.setPen(QPen(kBagEdge, std::max(1.0, s / 32), Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
  painter.setBrush(fill);
  painter.drawPath(body);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 70));
  painter.drawRect(QRectF(0.15 * s, 0.30 * s + 0.5, 0.70 * s, std::max(1.0, 0.07 * s)));

  QPainterPath handle;
  handle.moveTo(0.33 * s, 0.42 * s);
  handle.cubicTo(0.33 * s, 0.02 * s, 0.67 * s, 0.02 * s, 0.67 * s, 0.42 * s);
  painter.setPen(QPen(kHandle, std::max(1.25, 0.075 * s), Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(handle);
}

// Where the tray's bag carries its falling arrow, the browser's carries a
// globe: the same bag, out on the web.
void PaintGlobe(QPainter& painter, double s) {
  const QPointF centre(0.5 * s, 0.635 * s);
  const double radius = 0.235 * s;
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(centre, radius, radius);

  const double line = std::max(1.0, s / 28);
  painter.setPen(QPen(chrome::kAccent, line, Qt::SolidLine, Qt::FlatCap));
  painter.setBrush(Qt::NoBrush);
  painter.save();
  QPainterPath disc;
  disc.addEllipse(centre, radius - line / 2, radius - line / 2);
  painter.setClipPath(disc);
  painter.drawEllipse(centre, radius * 0.5, radius + line);
  painter.drawLine(QPointF(centre.x() - radius, centre.y()), QPointF(centre.x() + radius, centre.y()));
  // Two parallels where there is room for them to read as such.
  if (s >= 32) {
    for (const double side : {-1.0, 1.0}) {
      const double y = centre.y() + side * radius * 0.5;
      painter.drawLine(QPointF(centre.x() - radius, y), QPointF(centre.x() + radius, y));
    }
  }
  painter.restore();
}

}  // namespace

QImage ProductIcon(int size) {
  QImage image = drawing::NewCanvas(size, size);
  QPainter painter(&image);
  drawing::Prepare(painter);
  PaintBag(painter, size);
  PaintGlobe(painter, size);
  painter.end();
  return image;
}

QImage Logo() { return ProductIcon(16); }

}  // namespace art
