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
const QColor kEdge{0xB0, 0x32, 0x18};

QBrush Falling(const QColor& light, const QColor& deep, double top, double bottom) {
  QLinearGradient fill(0, top, 0, bottom);
  fill.setColorAt(0, light);
  fill.setColorAt(1, deep);
  return fill;
}

// 综合商城: a shop front under a striped awning.
void ShopFront(QPainter& painter) {
  painter.setPen(QPen(kEdge, 1.0));
  painter.setBrush(chrome::kTileHoverOnWhite);
  painter.drawRect(QRectF(4.5, 9.5, 12, 8));
  painter.setPen(Qt::NoPen);
  painter.setBrush(chrome::kAccent);
  painter.drawRect(QRectF(8.5, 12.5, 4, 5.5));
  // The awning: four scallops, accent and white in turn.
  for (int i = 0; i < 4; ++i) {
    const double left = 3.5 + 3.5 * i;
    QPainterPath scallop;
    scallop.moveTo(left + 0.8, 3.5);
    scallop.lineTo(left + 2.7, 3.5);
    scallop.lineTo(left + 3.5, 8.0);
    scallop.arcTo(QRectF(left, 6.25, 3.5, 3.5), 0, -180);
    scallop.closeSubpath();
    painter.setBrush(i % 2 == 0 ? chrome::kAccent : QColor(Qt::white));
    painter.drawPath(scallop);
  }
  painter.setPen(QPen(kEdge, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(QPointF(4.0, 3.5), QPointF(17.0, 3.5));
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

// 图书音像: an open book.
void Book(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(chrome::kAccentDeep);
  QPainterPath cover;
  cover.moveTo(2.5, 5.5);
  cover.lineTo(10.5, 7.0);
  cover.lineTo(18.5, 5.5);
  cover.lineTo(18.5, 16.5);
  cover.lineTo(10.5, 18.0);
  cover.lineTo(2.5, 16.5);
  cover.closeSubpath();
  painter.drawPath(cover);
  painter.setBrush(Qt::white);
  for (const double side : {-1.0, 1.0}) {
    QPainterPath page;
    page.moveTo(10.5 + side * 0.5, 6.0);
    page.quadTo(10.5 + side * 3.5, 3.0, 10.5 + side * 7.0, 4.0);
    page.lineTo(10.5 + side * 7.0, 15.0);
    page.quadTo(10.5 + side * 3.5, 14.0, 10.5 + side * 0.5, 16.5);
    page.closeSubpath();
    painter.drawPath(page);
  }
  painter.setPen(QPen(chrome::kHairline.darker(115), 1.0));
  for (const double side : {-1.0, 1.0}) {
    painter.drawLine(QPointF(10.5 + side * 2.5, 7.5), QPointF(10.5 + side * 5.5, 7.0));
    painter.drawLine(QPointF(10.5 + side * 2.5, 10.0), QPointF(10.5 + side * 5.5, 9.5));
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
  // Two short white strokes: the tag's writing.
  painter.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(0.5, -1.6), QPointF(5.5, -1.6));
  painter.drawLine(QPointF(0.5, 1.6), QPointF(4.0, 1.6));
  painter.restore();
}

}  // namespace

// In the order of the shipped favourites' groups (config/collect.xml).
QImage FavouriteGroupIcons() {
  const std::vector<std::function<void(QPainter&)>> pictures = {ShopFront, Phone, Book, Shirt, Tag};
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
