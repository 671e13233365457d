#include "preview_drawing.h"

#include <QFontMetrics>

#include "program_font.h"

namespace preview {

void DrawFrame(QPainter& painter, const QImage& image, int width, int frame, const QRect& target) {
  if (target.width() <= 0 || target.height() <= 0) return;
  painter.drawImage(target, image, QRect(frame * width, 0, width, image.height()));
}

void DrawThreeSlices(QPainter& painter, const QImage& skin, int look, const QRect& rect) {
  const int w = skin.width() / 9;
  const int h = skin.height();
  DrawFrame(painter, skin, w, 3 * look, QRect(rect.left(), rect.top(), w, h));
  if (rect.width() >= 2 * w) DrawFrame(painter, skin, w, 3 * look + 1, QRect(rect.left() + w, rect.top(), rect.width() - 2 * w, h));
  DrawFrame(painter, skin, w, 3 * look + 2, QRect(rect.left() + rect.width() - w, rect.top(), w, h));
}

void DrawText(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour) {
  painter.setFont(ProgramFont());
  painter.setPen(colour);
  const QString shown = QFontMetrics(painter.font()).elidedText(text, Qt::ElideRight, rect.width());
  painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

int TextWidth(const QString& text) { return QFontMetrics(ProgramFont()).horizontalAdvance(text); }

}  // namespace preview
