#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "price_watch_art.h"
#include "slices.h"

// The offer bar lies in the main window just above the status bar, 40
// pixels high: an accent band that white text reads on, so the success
// text and the logo stand out from the page above it.
namespace art {
namespace {

constexpr int kBarHeight = 40;
constexpr int kBarSlice = 94;

QImage BarDrawing(int width) {
  QImage image = drawing::NewCanvas(width, kBarHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  QLinearGradient fill(0, 0, 0, kBarHeight);
  fill.setColorAt(0, chrome::kAccentLight);
  fill.setColorAt(1, chrome::kAccent);
  painter.setPen(QPen(chrome::kAccentDeep, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, kBarHeight - 1), 3.0, 3.0);
  // A light line under the top edge gives the band some depth.
  painter.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
  painter.drawLine(QPointF(3, 1.5), QPointF(width - 3, 1.5));
  return image;
}

// The band's rows as a stretched middle shows them: what a bitmap strip on
// the bar carries beneath its face.
QImage BarBeneath(int top, int width, int height) {
  const QImage middle = BarDrawing(4 * kBarSlice).copy(2 * kBarSlice, 0, 1, kBarHeight);
  return RowBeneath(middle, top, width, height);
}

QImage ConfirmLook(Look look) {
  // The face is 26 high, the strip 27: the last row is the bar itself,
  // since the button shows only 26 of them.
  QImage image = BarBeneath(7, 86, 27);
  QPainter painter(&image);
  drawing::Prepare(painter);
  QColor fill = Qt::white;
  if (look == Look::kHover) fill = chrome::kTileHoverOnWhite;
  if (look == Look::kPressed) fill = chrome::kTilePressedOnWhite;
  if (look == Look::kDisabled) fill = drawing::Mix(Qt::white, chrome::kAccent, 0.35);
  painter.setPen(QPen(chrome::kAccentDeep, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 85, 25), 4.0, 4.0);
  if (look == Look::kPressed) painter.translate(0, 1);
  painter.setFont(drawing::UiFont(14, true));
  painter.setPen(look == Look::kDisabled ? chrome::kGlyphDisabled : chrome::kAccentDeep);
  painter.drawText(QRect(0, 0, 86, 26), Qt::AlignCenter, QStringLiteral("确定"));
  return image;
}

QImage AnyDropLook(Look look) {
  QImage image = BarBeneath(7, 142, 26);
  QPainter painter(&image);
  drawing::Prepare(painter);
  QColor fill(255, 255, 255, 40);
  if (look == Look::kHover) fill = QColor(255, 255, 255, 80);
  if (look == Look::kPressed) fill = QColor(chrome::kAccentDeep.red(), chrome::kAccentDeep.green(),
                                            chrome::kAccentDeep.blue(), 160);
  painter.setPen(QPen(look == Look::kDisabled ? QColor(255, 255, 255, 110) : Qt::white, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 141, 25), 4.0, 4.0);
  if (look == Look::kPressed) painter.translate(0, 1);
  painter.setFont(drawing::UiFont(14, true));
  painter.setPen(look == Look::kDisabled ? QColor(255, 255, 255, 140) : Qt::white);
  painter.drawText(QRect(0, 0, 142, 26), Qt::AlignCenter, QStringLiteral("有降价就通知我"));
  return image;
}

QImage CloseLook(Look look) {
  QImage image = BarBeneath(15, 11, 11);
  QPainter painter(&image);
  drawing::Prepare(painter);
  if (look == Look::kHover || look == Look::kPressed) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == Look::kHover ? QColor(255, 255, 255, 70) : QColor(0, 0, 0, 50));
    painter.drawRoundedRect(QRectF(0, 0, 11, 11), 2.0, 2.0);
  }
  const QColor colour = look == Look::kDisabled ? QColor(255, 255, 255, 110) : Qt::white;
  painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(2.5, 2.5), QPointF(8.5, 8.5));
  painter.drawLine(QPointF(8.5, 2.5), QPointF(2.5, 8.5));
  return image;
}

}  // namespace

QImage OfferBarSkin() { return slices::Three(BarDrawing(4 * kBarSlice), kBarSlice); }

QImage OfferBarLogo() {
  QImage image = drawing::NewCanvas(72, 19);
  QPainter painter(&image);
  drawing::Prepare(painter);
  // A price line falling to the right, in white, then the words.
  painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath line;
  line.moveTo(1.5, 5.0);
  line.lineTo(5.5, 9.5);
  line.lineTo(8.5, 7.0);
  line.lineTo(12.0, 13.0);
  painter.drawPath(line);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  QPainterPath head;
  head.moveTo(13.8, 16.0);
  head.lineTo(9.6, 13.6);
  head.lineTo(13.6, 11.2);
  head.closeSubpath();
  painter.drawPath(head);
  painter.setFont(drawing::UiFont(13, true));
  painter.setPen(Qt::white);
  painter.drawText(QRect(17, 0, 55, 19), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("降价通知"));
  return image;
}

QImage PriceBoxFrame() {
  // The box itself (141 x 12) lies at (5, 7) of the frame.
  QImage image = drawing::NewCanvas(149, 25);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(chrome::kAccentDeep, 1.0));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 148, 24), 4.0, 4.0);
  return image;
}

QImage AnyDropWords() {
  QImage image = drawing::NewCanvas(151, 22);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setFont(drawing::UiFont(14, false));
  painter.setPen(Qt::white);
  painter.drawText(QRect(4, 0, 147, 22), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("或不管价格降多少"));
  return image;
}

QImage ConfirmButton() { return FourLooks(ConfirmLook); }
QImage AnyDropButton() { return FourLooks(AnyDropLook); }
QImage OfferCloseButton() { return FourLooks(CloseLook); }

}  // namespace art
