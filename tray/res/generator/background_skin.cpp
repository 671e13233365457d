#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <iterator>

#include "drawing.h"
#include "palette.h"
#include "skins.h"

namespace skins {
namespace {

constexpr int kWidth = 397;
constexpr int kHeight = 317;
// The title runs from y 8 down to about 24; the band ends a little below,
// with the accent line under it.
constexpr int kHeaderBottom = 35;
constexpr int kAccentHeight = 2;
// The open button and the share link share the footer.
constexpr int kFooterTop = 254;

void PaintHeader(QPainter& painter) {
  QLinearGradient band(0, 1, 0, kHeaderBottom);
  band.setColorAt(0, palette::kHeaderTop);
  band.setColorAt(1, palette::kHeaderBottom);
  painter.fillRect(QRect(0, 0, kWidth, kHeaderBottom + 1), band);

  QLinearGradient accent(0, 0, kWidth, 0);
  accent.setColorAt(0, palette::kAccentLight);
  accent.setColorAt(0.55, palette::kAccent);
  accent.setColorAt(1, palette::kAccentDeep);
  painter.fillRect(QRect(0, kHeaderBottom + 1, kWidth, kAccentHeight), accent);
}

// A faint falling price line fills the quiet space right of centre between
// the message and the product box; nothing is drawn there by the program.
void PaintTrendMark(QPainter& painter) {
  const QColor line(0xF8, 0xD9, 0xC4);
  QPainterPath trend;
  const QPointF points[] = {{252, 96}, {274, 102}, {294, 97}, {316, 110}, {336, 106}, {362, 122}};
  trend.moveTo(points[0]);
  for (size_t i = 1; i < std::size(points); ++i) trend.lineTo(points[i]);
  painter.setPen(QPen(line, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(trend);
  painter.setPen(Qt::NoPen);
  painter.setBrush(line);
  for (const QPointF& point : points) painter.drawEllipse(point, 2.2, 2.2);
  // The arrow head at the end of the fall.
  QPainterPath head;
  head.moveTo(370, 127);
  head.lineTo(358, 127);
  head.lineTo(367, 116);
  head.closeSubpath();
  painter.drawPath(head);
}

void PaintFooter(QPainter& painter) {
  painter.fillRect(QRect(0, kFooterTop, kWidth, 1), palette::kHairline);
  painter.fillRect(QRect(0, kFooterTop + 1, kWidth, kHeight - kFooterTop - 1), palette::kFooter);
}

}  // namespace

QImage NoticeBackground() {
  // The card's content is painted whole, then laid inside the border
  // through a rounded path: the window's region rounds the corners with a
  // 7-pixel ellipse, and the card follows the same curve.
  QImage content(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  content.fill(palette::kCard);
  {
    QPainter painter(&content);
    drawing::Prepare(painter);
    PaintHeader(painter);
    PaintTrendMark(painter);
    PaintFooter(painter);
  }

  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(palette::kCardBorder);
  QPainter painter(&image);
  drawing::Prepare(painter);
  QPainterPath card;
  card.addRoundedRect(QRectF(1, 1, kWidth - 2, kHeight - 2), 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QBrush(content));
  painter.drawPath(card);
  painter.end();
  return image;
}

}  // namespace skins
