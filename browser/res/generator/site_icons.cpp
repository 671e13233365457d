#include <QPainter>
#include <QPainterPath>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "metrics.h"
#include "program_font.h"

namespace art {
namespace {

constexpr int kSize = metrics::kSiteIcon;

// The shops' own colours, each with one character of its name in white:
// a sign of our own for each shop, not its mark.
const QColor kTaobaoOrange{0xFF, 0x50, 0x00};
const QColor kJdRed{0xE1, 0x25, 0x1B};
const QColor kDangdangRed{0xEE, 0x2D, 0x47};

enum class Shape { kSquare, kRound };

QImage ShopIcon(const QColor& colour, Shape shape, const QString& character) {
  QImage image = drawing::NewCanvas(kSize, kSize);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  if (shape == Shape::kSquare) painter.drawRoundedRect(QRectF(0, 0, kSize, kSize), 3.5, 3.5);
  else painter.drawEllipse(QRectF(0, 0, kSize, kSize));
  QFont font = ProgramFont();
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, character);
  painter.end();
  return image;
}

}  // namespace

QImage TaobaoIcon() { return ShopIcon(kTaobaoOrange, Shape::kSquare, QStringLiteral("淘")); }
QImage JdIcon() { return ShopIcon(kJdRed, Shape::kSquare, QStringLiteral("京")); }
QImage DangdangIcon() { return ShopIcon(kDangdangRed, Shape::kRound, QStringLiteral("当")); }

// A page that has shown no icon of its own: a quiet globe, outline and
// lines on whole pixels so that it stays sharp beside the address.
QImage DefaultPageIcon() {
  QImage image = drawing::NewCanvas(kSize, kSize);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const QColor line{0x9A, 0x84, 0x76};
  const QPointF centre(8.0, 8.0);
  const double radius = 6.5;
  painter.setPen(QPen(line, 1.0));
  painter.setBrush(QColor(0xFF, 0xF6, 0xEE));
  painter.drawEllipse(centre, radius, radius);
  QPainterPath disc;
  disc.addEllipse(centre, radius, radius);
  painter.setClipPath(disc);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, 2.8, radius);
  painter.drawLine(QPointF(1.5, 8.0), QPointF(14.5, 8.0));
  painter.drawLine(QPointF(2.5, 4.75), QPointF(13.5, 4.75));
  painter.drawLine(QPointF(2.5, 11.25), QPointF(13.5, 11.25));
  painter.end();
  return image;
}

}  // namespace art
