#include <QPainter>
#include <QPainterPath>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "metrics.h"

namespace art {
namespace {

constexpr int kWidth = metrics::kOverflowWidth;
constexpr int kHeight = metrics::kFavouritesHeight;


// Two chevrons pointing on, to where the hidden groups are.
void PaintChevrons(QPainter& painter, const QColor& colour) {
  painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  const double middle = kHeight / 2.0 - 0.5;
  for (const double left : {6.0, 10.5}) {
    QPainterPath chevron;
    chevron.moveTo(left, middle - 3.5);
    chevron.lineTo(left + 3.5, middle);
    chevron.lineTo(left, middle + 3.5);
    painter.drawPath(chevron);
  }
}

QImage OverflowFrame(Look look) {
  // The button is copied onto the favourites bar as it is, at the bar's
  // full height: its background is the row's own, pixel for pixel.
  QImage frame = FavouritesRow().scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&frame);
  drawing::Prepare(painter);
  if (look == Look::kHover || look == Look::kPressed) {
    painter.setPen(QPen(chrome::kTileEdgeOnWhite, 1));
    painter.setBrush(look == Look::kHover ? chrome::kTileHoverOnWhite : chrome::kTilePressedOnWhite);
    painter.drawRoundedRect(QRectF(1.5, 2.5, kWidth - 3, kHeight - 6), 3, 3);
  }
  if (look == Look::kPressed) painter.translate(0, 0.5);
  PaintChevrons(painter, GlyphColour(look));
  painter.end();
  return frame;
}

}  // namespace

QImage OverflowButton() { return FourLooks(OverflowFrame); }

}  // namespace art
