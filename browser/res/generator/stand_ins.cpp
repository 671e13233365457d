#include "stand_ins.h"

namespace stand_in {

// A shop's search bar, a banner and a grid of product cards.
void PaintPage(QPainter& painter, const QRect& page) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
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
