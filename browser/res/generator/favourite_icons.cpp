#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <vector>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "metrics.h"

namespace art {
namespace {

// The favourites bar's group icons: one small picture per kind of goods,
// in the family's warm colours, set a little right of the frame's centre
// (the button's skin starts at the frame's left edge, its text after it).
constexpr int kSize = metrics::kFavouriteIcon;

const QColor kGold{0xF2, 0xA0, 0x3D};
const QColor kGoldEdge{0xC9, 0x78, 0x1E};
const QColor kPriceRed = palette::kPriceRed;

QBrush Falling(const QColor& light, const QColor& deep, double top, double bottom) {
  QLinearGradient fill(0, top, 0, bottom);
  fill.setColorAt(0, light);
  fill.setColorAt(1, deep);
  return fill;
}

// 综合商城: a shopping cart.
void Cart(QPainter& painter) {
  painter.setPen(QPen(chrome::kGlyph, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  QPainterPath handle;
  handle.moveTo(2.5, 4.0);
  handle.lineTo(5.0, 4.0);
  handle.lineTo(7.0, 14.0);
  handle.lineTo(16.0, 14.0);
  painter.drawPath(handle);
  QPainterPath basket;
  basket.moveTo(5.6, 6.0);
  basket.lineTo(18.0, 6.0);
  basket.lineTo(16.5, 11.5);
  basket.lineTo(6.7, 11.5);
  basket.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Falling(chrome::kAccentLight, chrome::kAccentDeep, 6, 12));
  painter.drawPath(basket);
  painter.setBrush(chrome::kGlyph);
  painter.drawEllipse(QPointF(8.0, 16.5), 1.5, 1.5);
  painter.drawEllipse(QPointF(15.0, 16.5), 1.5, 1.5);
}

// 数码家电: a phone.
void Phone(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(chrome::kGlyph);
  painter.drawRoundedRect(QRectF(6, 2, 9, 16), 2, 2);
  painter.setBrush(Falling(chrome::kAccentLight, chrome::kAccent, 4, 14));
  painter.drawRect(QRectF(7, 4, 7, 10));
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(10.5, 16.0), 0.9, 0.9);
}

// 图书音像: an open book, its pages in the lightest peach over a deep
// accent cover.
void Book(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(chrome::kAccentDeep);
  QPainterPath cover;
  cover.moveTo(3.0, 6.0);
  cover.lineTo(10.5, 7.5);
  cover.lineTo(18.0, 6.0);
  cover.lineTo(18.0, 17.0);
  cover.lineTo(10.5, 18.5);
  cover.lineTo(3.0, 17.0);
  cover.closeSubpath();
  painter.drawPath(cover);
  for (const double side : {-1.0, 1.0}) {
    QPainterPath page;
    page.moveTo(10.5 + side * 0.6, 6.0);
    page.quadTo(10.5 + side * 3.5, 3.0, 10.5 + side * 6.5, 4.0);
    page.lineTo(10.5 + side * 6.5, 15.5);
    page.quadTo(10.5 + side * 3.5, 14.5, 10.5 + side * 0.6, 17.0);
    page.closeSubpath();
    painter.setPen(QPen(chrome::kAccentDeep, 0.8));
    painter.setBrush(chrome::kBand);
    painter.drawPath(page);
    painter.setPen(QPen(chrome::kTileEdgeOnWhite.darker(110), 1.0));
    painter.drawLine(QPointF(10.5 + side * 2.5, 8.5), QPointF(10.5 + side * 5.0, 8.0));
    painter.drawLine(QPointF(10.5 + side * 2.5, 11.0), QPointF(10.5 + side * 5.0, 10.5));
  }
}

// 服饰美妆: a T-shirt.
void Shirt(QPainter& painter) {
  QPainterPath shirt;
  shirt.moveTo(7.5, 3.5);
  shirt.quadTo(10.5, 6.5, 13.5, 3.5);
  shirt.lineTo(18.0, 6.0);
  shirt.lineTo(16.5, 9.5);
  shirt.lineTo(15.0, 8.8);
  shirt.lineTo(15.0, 17.5);
  shirt.lineTo(6.0, 17.5);
  shirt.lineTo(6.0, 8.8);
  shirt.lineTo(4.5, 9.5);
  shirt.lineTo(3.0, 6.0);
  shirt.closeSubpath();
  painter.setPen(QPen(kGoldEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
  painter.setBrush(Falling(kGold.lighter(112), kGold, 3, 18));
  painter.drawPath(shirt);
}

// 特卖: a price tag with its hole.
void Tag(QPainter& painter) {
  painter.save();
  painter.translate(10.5, 10.5);
  painter.rotate(-45);
  QPainterPath tag;
  tag.moveTo(-8.0, 0);
  tag.lineTo(-4.0, -4.5);
  tag.lineTo(7.5, -4.5);
  tag.quadTo(8.5, -4.5, 8.5, -3.5);
  tag.lineTo(8.5, 3.5);
  tag.quadTo(8.5, 4.5, 7.5, 4.5);
  tag.lineTo(-4.0, 4.5);
  tag.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(QPointF(-4.0, 0), 1.4, 1.4);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPriceRed);
  painter.drawPath(tag.subtracted(hole));
  // One white stroke: the tag's writing.
  painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(0.5, 0), QPointF(5.0, 0));
  painter.restore();
}

}  // namespace

// In the order of the shipped favourites' groups (config/collect.xml).
QImage FavouriteGroupIcons() {
  const std::vector<std::function<void(QPainter&)>> pictures = {Cart, Phone, Book, Shirt, Tag};
  std::vector<QImage> frames;
  for (const auto& picture : pictures) {
    QImage frame = drawing::NewCanvas(kSize, kSize);
    QPainter painter(&frame);
    drawing::Prepare(painter);
    picture(painter);
    painter.end();
    frames.push_back(frame);
  }
  return drawing::Strip(frames.data(), static_cast<int>(frames.size()));
}

}  // namespace art
