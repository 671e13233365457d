#include <QPainter>
#include <QPainterPath>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "metrics.h"
#include "slices.h"

namespace art {
namespace {

constexpr int kWidth = metrics::kBoxButtonWidth;
constexpr int kHeight = metrics::kBoxHeight;

// The box's right end: its frame carried on past the stretched middle and
// rounded off, on the navigation row's own pixels (the strip is copied as
// it is, without blending).
QImage BoxEnd(const QColor& edge, double edgeWidth, double radius, const QColor& fill) {
  QImage image = RowBeneath(NavigationRow(), metrics::kBoxTop, kWidth, kHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const double half = edgeWidth / 2;
  painter.setPen(QPen(edge, edgeWidth));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(-3 * radius, half, kWidth + 3 * radius - half, kHeight - edgeWidth), radius, radius);
  return image;
}

QImage GoLook(Look look) {
  QColor fill = chrome::kBoxInside;
  if (look == Look::kHover) fill = chrome::kTileHoverOnWhite;
  if (look == Look::kPressed) fill = chrome::kTilePressedOnWhite;
  QImage image = BoxEnd(chrome::kBoxEdge, 1.0, 5.0, fill);
  QPainter painter(&image);
  drawing::Prepare(painter);
  // A faint rule sets the button off from the text in the box.
  if (look == Look::kNormal || look == Look::kDisabled) painter.fillRect(QRect(0, 7, 1, kHeight - 14), chrome::kHairline);
  if (look == Look::kPressed) painter.translate(0, 0.5);
  const QColor colour = look == Look::kNormal ? chrome::kAccent : GlyphColour(look);
  painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  const double middle = kHeight / 2.0;
  QPainterPath arrow;
  arrow.moveTo(9.5, middle);
  arrow.lineTo(19.5, middle);
  arrow.moveTo(15.5, middle - 4.0);
  arrow.lineTo(19.5, middle);
  arrow.lineTo(15.5, middle + 4.0);
  painter.drawPath(arrow);
  return image;
}

QImage SearchLook(Look look) {
  QColor fill = chrome::kAccent;
  if (look == Look::kHover) fill = chrome::kAccentLight;
  if (look == Look::kPressed) fill = chrome::kAccentDeep;
  if (look == Look::kDisabled) fill = drawing::Mix(chrome::kAccent, Qt::white, 0.55);
  QImage image = BoxEnd(fill, metrics::kSearchEdge, 6.0, fill);
  QPainter painter(&image);
  drawing::Prepare(painter);
  if (look == Look::kPressed) painter.translate(0, 0.5);
  // A magnifier: the lens a little up and left, the handle towards the
  // lower right corner.
  painter.setPen(QPen(Qt::white, 2.0));
  painter.setBrush(Qt::NoBrush);
  const QPointF lens(13.5, 12.5);
  painter.drawEllipse(lens, 5.0, 5.0);
  painter.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(lens + QPointF(3.9, 3.9), lens + QPointF(7.2, 7.2));
  return image;
}

// A small solid triangle pointing down, set pixel by pixel so that it stays
// sharp at this size; it lies inside the search box, on white.
QImage ChooserLook(Look look) {
  QImage image = drawing::NewCanvas(metrics::kChooserButtonWidth, metrics::kChooserButtonHeight);
  image.fill(chrome::kBoxInside);
  const QColor colour = look == Look::kNormal ? chrome::kGlyph : GlyphColour(look);
  const int top = look == Look::kPressed ? 2 : 1;
  for (int row = 0; row < 4; ++row) {
    for (int x = 1 + row; x <= 7 - row; ++x) image.setPixelColor(x, top + row, colour);
  }
  return image;
}

}  // namespace

QImage GoButton() { return FourLooks(GoLook); }
QImage SearchButton() { return FourLooks(SearchLook); }
QImage SiteChooserButton() { return FourLooks(ChooserLook); }

}  // namespace art
