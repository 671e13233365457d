#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "drawing.h"
#include "palette.h"
#include "skins.h"

namespace skins {
namespace {

const QColor kEdge{0xB0, 0x32, 0x18};

// A shopping bag: a body a little wider at the bottom, a folded top edge
// and a short handle fixed inside the body (a handle standing on the top
// edge would read as a padlock at 16 pixels).
QPainterPath BagBody(double s) {
  QPainterPath body;
  const double top = 0.30 * s;
  const double bottom = 0.95 * s;
  body.moveTo(0.14 * s, top);
  body.lineTo(0.86 * s, top);
  body.lineTo(0.94 * s, bottom);
  body.lineTo(0.06 * s, bottom);
  body.closeSubpath();
  return body;
}

void PaintBody(QPainter& painter, double s) {
  QLinearGradient fill(0, 0.30 * s, 0, 0.95 * s);
  fill.setColorAt(0, palette::kAccentLight);
  fill.setColorAt(1, palette::kAccentDeep);
  QPen edge(kEdge, std::max(1.0, s / 32), Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);
  painter.setPen(edge);
  painter.setBrush(fill);
  painter.drawPath(BagBody(s));
  // The fold along the top.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 70));
  painter.drawRect(QRectF(0.15 * s, 0.30 * s + 0.5, 0.70 * s, std::max(1.0, 0.07 * s)));
}

void PaintHandle(QPainter& painter, double s) {
  const double width = std::max(1.25, 0.075 * s);
  QPen pen(QColor(0xC8, 0x3E, 0x1C), width, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  QPainterPath handle;
  handle.moveTo(0.33 * s, 0.42 * s);
  handle.cubicTo(0.33 * s, 0.02 * s, 0.67 * s, 0.02 * s, 0.67 * s, 0.42 * s);
  painter.drawPath(handle);
}

void PaintArrow(QPainter& painter, double s) {
  const double cx = s / 2;
  const double shaft = std::max(0.9, 0.07 * s);
  const double head = 0.22 * s;
  QPainterPath arrow;
  arrow.moveTo(cx - shaft, 0.50 * s);
  arrow.lineTo(cx + shaft, 0.50 * s);
  arrow.lineTo(cx + shaft, 0.66 * s);
  arrow.lineTo(cx + head, 0.66 * s);
  arrow.lineTo(cx, 0.89 * s);
  arrow.lineTo(cx - head, 0.66 * s);
  arrow.lineTo(cx - shaft, 0.66 * s);
  arrow.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPath(arrow);
}

}  // namespace

QImage TrayIcon(int size) {
  QImage image = drawing::NewCanvas(size, size);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const double s = size;
  PaintBody(painter, s);
  PaintHandle(painter, s);
  PaintArrow(painter, s);
  painter.end();
  return image;
}

}  // namespace skins
