#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "metrics.h"

namespace art {
namespace {

constexpr int kSize = metrics::kNavigationButton;
constexpr double kCentre = kSize / 2.0;

enum class Glyph { kBack, kForward, kStop, kRefresh };

// A round tile under the pointer, lighter than the caption's tiles because
// the navigation row is nearly white.
void PaintTile(QPainter& painter, Look look) {
  if (look != Look::kHover && look != Look::kPressed) return;
  painter.setPen(QPen(chrome::kTileEdgeOnWhite, 1));
  painter.setBrush(look == Look::kHover ? chrome::kTileHoverOnWhite : chrome::kTilePressedOnWhite);
  painter.drawEllipse(QPointF(kCentre, kCentre), kCentre - 1.0, kCentre - 1.0);
}


void PaintArrow(QPainter& painter, bool forward) {
  QPainterPath arrow;
  const double tip = forward ? 18.5 : 7.5;
  const double tail = forward ? 7.5 : 18.5;
  const double barb = forward ? tip - 4.5 : tip + 4.5;
  arrow.moveTo(tail, kCentre);
  arrow.lineTo(tip, kCentre);
  arrow.moveTo(barb, kCentre - 4.5);
  arrow.lineTo(tip, kCentre);
  arrow.lineTo(barb, kCentre + 4.5);
  painter.drawPath(arrow);
}

// Most of a circle, turning clockwise, with a solid head at its end.
void PaintRefresh(QPainter& painter, const QColor& colour) {
  const double radius = 5.5;
  const QRectF circle(kCentre - radius, kCentre - radius, 2 * radius, 2 * radius);
  // From the right side round the bottom to the top: the gap, and the
  // head that points into it, sit at the upper right.
  const double start = 15.0;   // degrees, counter-clockwise from three o'clock
  const double sweep = -285.0;
  QPainterPath arc;
  arc.arcMoveTo(circle, start);
  arc.arcTo(circle, start, sweep);
  painter.drawPath(arc);

  const double end = (start + sweep) * std::numbers::pi / 180.0;
  const QPointF at(kCentre + radius * std::cos(end), kCentre - radius * std::sin(end));
  // Clockwise on screen: the direction of travel at angle a is (sin a, cos a).
  const QPointF along(std::sin(end), std::cos(end));
  const QPointF across(-along.y(), along.x());
  QPainterPath head;
  head.moveTo(at + along * 3.6);
  head.lineTo(at - along * 1.0 + across * 3.8);
  head.lineTo(at - along * 1.0 - across * 3.8);
  head.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(head);
}

void PaintGlyph(QPainter& painter, Glyph glyph, const QColor& colour) {
  painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::kBack:
      PaintArrow(painter, false);
      break;
    case Glyph::kForward:
      PaintArrow(painter, true);
      break;
    case Glyph::kStop: {
      const double arm = 4.2;
      const QPointF centre(kCentre, kCentre);
      painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
      painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
      break;
    }
    case Glyph::kRefresh:
      PaintRefresh(painter, colour);
      break;
  }
}

QImage NavigationButton(Glyph glyph) {
  return FourLooks([glyph](Look look) {
    QImage frame = drawing::NewCanvas(kSize, kSize);
    QPainter painter(&frame);
    drawing::Prepare(painter);
    PaintTile(painter, look);
    // A pressed glyph sinks by half a pixel.
    if (look == Look::kPressed) painter.translate(0, 0.5);
    PaintGlyph(painter, glyph, GlyphColour(look));
    painter.end();
    return frame;
  });
}

}  // namespace

QImage BackButton() { return NavigationButton(Glyph::kBack); }
QImage ForwardButton() { return NavigationButton(Glyph::kForward); }
QImage StopButton() { return NavigationButton(Glyph::kStop); }
QImage RefreshButton() { return NavigationButton(Glyph::kRefresh); }

}  // namespace art
