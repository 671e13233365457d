#include <QPainter>
#include <QPainterPath>

#include <algorithm>

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

// The character in white, drawn with the font's hinting at the top left of
// an image of the icon's size.
QImage InkOf(const QString& character) {
  QImage ink = drawing::NewCanvas(kSize, kSize);
  QPainter painter(&ink);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  QFont font = ProgramFont();
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignLeft | Qt::AlignTop, character);
  return ink;
}

// Where the ink goes so that it sits in the middle: the font's own box puts
// a Chinese character high and to the left, so centre what it inks, by
// whole pixels to keep the hinting.
QPoint CentringOffset(const QString& character) {
  const QImage ink = InkOf(character);
  int left = kSize, top = kSize, right = -1, bottom = -1;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (qAlpha(ink.pixel(x, y)) < 64) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QPoint((kSize - (right - left + 1)) / 2 - left, (kSize - (bottom - top + 1)) / 2 - top);
}

QImage ShopIcon(const QColor& colour, Shape shape, const QString& character) {
  QImage image = drawing::NewCanvas(kSize, kSize);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  if (shape == Shape::kSquare) painter.drawRoundedRect(QRectF(0, 0, kSize, kSize), 3.5, 3.5);
  else painter.drawEllipse(QRectF(0, 0, kSize, kSize));
  painter.drawImage(CentringOffset(character), InkOf(character));
  painter.end();
  return image;
}

}  // namespace

QImage TaobaoIcon() { return ShopIcon(kTaobaoOrange, Shape::kSquare, QStringLiteral("淘")); }
QImage JdIcon() { return ShopIcon(kJdRed, Shape::kSquare, QStringLiteral("京")); }
QImage DangdangIcon() { return ShopIcon(kDangdangRed, Shape::kRound, QStringLiteral("当")); }

// A page that has shown no icon of its own: a quiet globe, its outline,
// one meridian and the equator, the lines placed on pixel columns and rows
// so that they stay sharp beside the address.
QImage DefaultPageIcon() {
  QImage image = drawing::NewCanvas(kSize, kSize);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const QColor line = palette::kQuietGrey;
  const QPointF centre(8.0, 8.0);
  const double radius = 6.5;
  painter.setPen(QPen(line, 1.0));
  painter.setBrush(QColor(0xFF, 0xF6, 0xEE));
  painter.drawEllipse(centre, radius, radius);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, 2.5, radius);
  painter.drawLine(QPointF(1.5, 7.5), QPointF(14.5, 7.5));
  painter.end();
  return image;
}

}  // namespace art
