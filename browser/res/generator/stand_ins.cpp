#include "stand_ins.h"

#include <QPainterPath>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "program_font.h"

namespace stand_in {
namespace {


// The right end that closes a text box: the box's edge rounded off.
QImage BoxEnd(const QColor& edge, const QColor& fill, double edgeWidth) {
  QImage image = drawing::NewCanvas(kGoWidth, kButtonHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const double half = edgeWidth / 2;
  QPainterPath end;
  end.addRoundedRect(QRectF(-20 + half, half, kGoWidth + 20 - edgeWidth, kButtonHeight - edgeWidth), 6, 6);
  painter.setPen(QPen(edge, edgeWidth));
  painter.setBrush(fill);
  painter.drawPath(end);
  return image;
}

}  // namespace

QImage GoButton() {
  QImage image = BoxEnd(chrome::kBoxEdge, QColor(0xFF, 0xF6, 0xEF), 1.0);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(chrome::kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(QPointF(9, 14), QPointF(19, 14));
  painter.drawLine(QPointF(15, 10), QPointF(19, 14));
  painter.drawLine(QPointF(15, 18), QPointF(19, 14));
  return image;
}

QImage SearchButton() {
  QImage image = BoxEnd(chrome::kAccent, chrome::kAccent, 2.0);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(Qt::white, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(13, 13), 5, 5);
  painter.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(16.8, 16.8), QPointF(20.5, 20.5));
  return image;
}

QImage SiteIcon() {
  QImage image = drawing::NewCanvas(16, 16);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xFF, 0x50, 0x00));
  painter.drawRoundedRect(QRectF(0, 0, 16, 16), 3, 3);
  painter.setPen(Qt::white);
  painter.setFont(drawing::UiFont(12, true));
  painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("淘"));
  return image;
}

QImage ChooserButton() {
  QImage image = drawing::NewCanvas(10, 6);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(chrome::kGlyph);
  QPainterPath down;
  down.moveTo(2, 1);
  down.lineTo(8, 1);
  down.lineTo(5, 4.5);
  down.closeSubpath();
  painter.drawPath(down);
  return image;
}

QImage PageIcon() {
  QImage image = drawing::NewCanvas(16, 16);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(QColor(0x7A, 0x8C, 0x9E), 1));
  painter.setBrush(QColor(0xEE, 0xF3, 0xF8));
  painter.drawEllipse(QPointF(8, 8), 6.5, 6.5);
  painter.drawEllipse(QPointF(8, 8), 2.8, 6.5);
  painter.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
  return image;
}

QImage ToolbarIcon(int index) {
  QImage image = drawing::NewCanvas(32, 32);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  QLinearGradient fill(0, 6, 0, 26);
  fill.setColorAt(0, chrome::kAccentLight);
  fill.setColorAt(1, chrome::kAccentDeep);
  painter.setBrush(fill);
  painter.drawEllipse(QPointF(16, 16), 10, 10);
  painter.setBrush(Qt::white);
  QPainterPath glyph;
  if (index == 0) {  // a house
    glyph.moveTo(16, 9.5);
    glyph.lineTo(22.5, 15.5);
    glyph.lineTo(20.5, 15.5);
    glyph.lineTo(20.5, 21.5);
    glyph.lineTo(11.5, 21.5);
    glyph.lineTo(11.5, 15.5);
    glyph.lineTo(9.5, 15.5);
    glyph.closeSubpath();
  } else {  // a falling arrow
    glyph.moveTo(14, 9);
    glyph.lineTo(18, 9);
    glyph.lineTo(18, 15);
    glyph.lineTo(21.5, 15);
    glyph.lineTo(16, 22);
    glyph.lineTo(10.5, 15);
    glyph.lineTo(14, 15);
    glyph.closeSubpath();
  }
  painter.drawPath(glyph);
  return image;
}

QImage FavouriteIcon() {
  QImage image = drawing::NewCanvas(20, 20);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(QColor(0xE8, 0x9A, 0x3C), 1));
  painter.setBrush(QColor(0xFF, 0xD4, 0x7A));
  QPainterPath folder;
  folder.moveTo(3.5, 6.5);
  folder.lineTo(8, 6.5);
  folder.lineTo(9.5, 8);
  folder.lineTo(16.5, 8);
  folder.lineTo(16.5, 15.5);
  folder.lineTo(3.5, 15.5);
  folder.closeSubpath();
  painter.drawPath(folder);
  return image;
}

QImage HomeButton() {
  QImage image = drawing::NewCanvas(26, 20);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(chrome::kGlyph, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(QPointF(13, 5), QPointF(13, 15));
  painter.drawLine(QPointF(8, 10), QPointF(18, 10));
  return image;
}

void PaintToolbarFace(QPainter& painter, const QRect& rect, bool hover) {
  if (!hover) return;
  painter.save();
  drawing::Prepare(painter);
  painter.setPen(QPen(chrome::kTileEdgeOnWhite, 1));
  painter.setBrush(chrome::kTileHoverOnWhite);
  painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  painter.restore();
}

void PaintTabsAndPage(QPainter& painter, const QRect& area, const QString& title) {
  painter.save();
  drawing::Prepare(painter);
  const int stripHeight = 32;
  painter.fillRect(QRect(area.left(), area.top(), area.width(), stripHeight), chrome::kBand);
  painter.fillRect(QRect(area.left(), area.top() + stripHeight - 1, area.width(), 1), chrome::kHairline);

  // The selected tab: a white card open into the page.
  const QRectF tab(area.left() + 2.5, area.top() + 5.5, 180, 27);
  QPainterPath card;
  card.moveTo(tab.left(), tab.bottom());
  card.lineTo(tab.left(), tab.top() + 4);
  card.quadTo(tab.left(), tab.top(), tab.left() + 4, tab.top());
  card.lineTo(tab.right() - 4, tab.top());
  card.quadTo(tab.right(), tab.top(), tab.right(), tab.top() + 4);
  card.lineTo(tab.right(), tab.bottom());
  painter.setPen(QPen(chrome::kBoxEdge, 1));
  painter.setBrush(Qt::white);
  painter.drawPath(card);
  painter.fillRect(QRectF(tab.left() + 0.5, tab.top() + 1, tab.width() - 1, 2), chrome::kAccent);
  painter.drawImage(QPointF(tab.left() + 8, tab.bottom() - 21), PageIcon());
  painter.setFont(ProgramFont());
  painter.setPen(Qt::black);
  const QRect text(static_cast<int>(tab.left()) + 28, static_cast<int>(tab.top()) + 4, 180 - 50,
                   static_cast<int>(tab.height()) - 4);
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(painter.font()).elidedText(title, Qt::ElideRight, text.width()));
  painter.setPen(QPen(chrome::kGlyph, 1.3, Qt::SolidLine, Qt::RoundCap));
  const QPointF cross(tab.right() - 17, tab.top() + 15);
  painter.drawLine(cross + QPointF(-3, -3), cross + QPointF(3, 3));
  painter.drawLine(cross + QPointF(-3, 3), cross + QPointF(3, -3));
  painter.drawImage(area.left() + 184, area.top() + 7, HomeButton());

  // A page: a shop's search bar, a banner and a grid of product cards.
  const QRect page(area.left(), area.top() + stripHeight, area.width(), area.height() - stripHeight);
  painter.setClipRect(page);
  painter.fillRect(page, Qt::white);
  const int left = page.left() + 60;
  const int width = page.width() - 120;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xFF, 0x50, 0x00));
  painter.drawRoundedRect(QRect(left, page.top() + 20, 120, 36), 6, 6);
  painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
  painter.drawRoundedRect(QRect(left + 140, page.top() + 24, width - 140, 28), 14, 14);
  QLinearGradient banner(left, 0, left + width, 0);
  banner.setColorAt(0, QColor(0xFF, 0xE2, 0xCC));
  banner.setColorAt(1, QColor(0xFF, 0xC1, 0x9A));
  painter.setBrush(banner);
  painter.drawRoundedRect(QRect(left, page.top() + 76, width, 150), 10, 10);
  const int cards = 5;
  const int gap = 16;
  const int cardWidth = (width - gap * (cards - 1)) / cards;
  for (int i = 0; i < cards; ++i) {
    const QRect cardRect(left + i * (cardWidth + gap), page.top() + 246, cardWidth, 250);
    painter.setBrush(QColor(0xF6, 0xF6, 0xF6));
    painter.drawRoundedRect(cardRect, 8, 8);
    painter.setBrush(QColor(0xE9, 0xE9, 0xE9));
    painter.drawRoundedRect(cardRect.adjusted(10, 10, -10, -90), 6, 6);
    painter.setBrush(QColor(0xDD, 0xDD, 0xDD));
    painter.drawRect(QRect(cardRect.left() + 10, cardRect.bottom() - 74, cardWidth - 30, 8));
    painter.drawRect(QRect(cardRect.left() + 10, cardRect.bottom() - 60, cardWidth - 60, 8));
    painter.setBrush(QColor(0xF5, 0x5B, 0x2A));
    painter.drawRect(QRect(cardRect.left() + 10, cardRect.bottom() - 36, 50, 14));
  }
  painter.restore();
}

}  // namespace stand_in
