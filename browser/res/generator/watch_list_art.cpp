#include <QLinearGradient>
#include <QPainter>

#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "palette.h"
#include "price_watch_art.h"

// The watch-list dialog is drawn as nine parts of one skin: the corners at
// their size, the edges stretched along their length and the centre over the
// rest. So the header band, the edge and the body are plain rows along the
// top and bottom and plain columns down the sides; everything that is not
// (the rounded corners) lies in the corners.
namespace art {
namespace {

constexpr int kSkinWidth = 771;
constexpr int kSkinHeight = 447;
constexpr int kHeaderHeight = 32;
const QColor kListBackground{244, 246, 251};

}  // namespace

QImage WatchListSkin() {
  QImage image = drawing::NewCanvas(kSkinWidth, kSkinHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::kCard);
  painter.drawRoundedRect(QRectF(0, 0, kSkinWidth, kSkinHeight), 4, 4);
  QLinearGradient header(0, 0, 0, kHeaderHeight);
  header.setColorAt(0, palette::kHeaderTop);
  header.setColorAt(1, palette::kHeaderBottom);
  painter.setClipRect(QRect(0, 0, kSkinWidth, kHeaderHeight));
  painter.setBrush(header);
  painter.drawRoundedRect(QRectF(0, 0, kSkinWidth, kHeaderHeight + 8), 4, 4);
  painter.setClipping(false);
  painter.fillRect(QRect(0, kHeaderHeight - 2, kSkinWidth, 2), palette::kAccent);
  // The list's own colour under its bottom rows, so a short list ends in
  // the same light blue-grey as its rows.
  painter.fillRect(QRect(2, 52, kSkinWidth - 4, kSkinHeight - 52 - 4), kListBackground);
  painter.setPen(QPen(palette::kCardBorder, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(0.5, 0.5, kSkinWidth - 1, kSkinHeight - 1), 4, 4);
  return image;
}

QImage ListHeaderBackground() {
  QImage image = drawing::NewCanvas(1, 23);
  QPainter painter(&image);
  QLinearGradient fill(0, 0, 0, 23);
  fill.setColorAt(0, Qt::white);
  fill.setColorAt(1, palette::kPanel);
  painter.fillRect(QRect(0, 0, 1, 22), fill);
  painter.fillRect(QRect(0, 22, 1, 1), palette::kPanelBorder);
  return image;
}

QImage ListHeaderDivider() {
  QImage image = drawing::NewCanvas(1, 23);
  for (int y = 4; y < 19; ++y) image.setPixelColor(0, y, palette::kPanelBorder);
  return image;
}

QImage WatchListCloseButton() {
  // At (client width − 30, 10), in the skin's top-right corner frame.
  const QImage beneath = WatchListSkin().copy(kSkinWidth - 30, 10, 14, 14);
  QImage frames[4];
  const Look looks[4] = {Look::kNormal, Look::kHover, Look::kPressed, Look::kDisabled};
  for (int i = 0; i < 4; ++i) {
    frames[i] = beneath;
    QPainter painter(&frames[i]);
    drawing::Prepare(painter);
    QColor colour = chrome::kGlyph;
    if (looks[i] == Look::kHover || looks[i] == Look::kPressed) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(looks[i] == Look::kHover ? chrome::kCloseHover : chrome::kClosePressed);
      painter.drawRoundedRect(QRectF(0, 0, 14, 14), 2, 2);
      colour = Qt::white;
    }
    if (looks[i] == Look::kDisabled) colour = chrome::kGlyphDisabled;
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(10.5, 10.5));
    painter.drawLine(QPointF(10.5, 3.5), QPointF(3.5, 10.5));
  }
  return drawing::Strip(frames, 4);
}

}  // namespace art
