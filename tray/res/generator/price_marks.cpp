#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "drawing.h"
#include "palette.h"
#include "skins.h"

namespace skins {
namespace {

// The yen sign set pixel by pixel: at its natural 10 x 12 size any
// antialiased stroke would blur next to the program's hinted digits.
QImage CurrencyFrame(const QColor& colour) {
  static const char* const kRows[12] = {
      "..........",  //
      ".##....##.",  //
      "..##..##..",  //
      "...####...",  //
      "....##....",  //
      "....##....",  //
      "..######..",  //
      "....##....",  //
      "..######..",  //
      "....##....",  //
      "....##....",  //
      "....##....",  //
  };
  QImage frame = drawing::NewCanvas(10, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 10; ++x)
      if (kRows[y][x] == '#') frame.setPixelColor(x, y, colour);
  return frame;
}

}  // namespace

QImage CurrencySigns() {
  const QImage frames[3] = {CurrencyFrame(QColor(0x8E, 0x86, 0x80)), CurrencyFrame(palette::kInk),
                            CurrencyFrame(palette::kPriceRed)};
  return drawing::Strip(frames, 3);
}

QImage StrikeThrough() {
  QImage image = drawing::NewCanvas(7, 1);
  image.fill(QColor(0x8A, 0x7C, 0x74));
  return image;
}

QImage DropBadge() {
  QImage image = drawing::NewCanvas(32, 32);
  QPainter painter(&image);
  drawing::Prepare(painter);

  // A faint shadow, a white rim that lifts the disc off the tile, the disc.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xB0, 0x40, 0x20, 50));
  painter.drawEllipse(QRectF(1.5, 2.5, 29, 29));
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(1, 1, 29, 29));
  QLinearGradient disc(0, 2, 0, 29);
  disc.setColorAt(0, palette::kAccentLight);
  disc.setColorAt(1, palette::kAccentDeep);
  painter.setBrush(disc);
  painter.drawEllipse(QRectF(2.5, 2.5, 26, 26));

  // The down arrow.
  QPainterPath arrow;
  const double cx = 15.5;
  arrow.moveTo(cx - 2.3, 8);
  arrow.lineTo(cx + 2.3, 8);
  arrow.lineTo(cx + 2.3, 15);
  arrow.lineTo(cx + 6.5, 15);
  arrow.lineTo(cx, 23);
  arrow.lineTo(cx - 6.5, 15);
  arrow.lineTo(cx - 2.3, 15);
  arrow.closeSubpath();
  painter.setBrush(Qt::white);
  painter.drawPath(arrow);
  painter.end();
  return image;
}

}  // namespace skins
