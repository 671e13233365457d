#include <QPainter>
#include <QPainterPath>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "metrics.h"

namespace art {
namespace {

constexpr int kWidth = metrics::kCaptionButtonWidth;
constexpr int kHeight = metrics::kCaptionButtonHeight;

enum class Glyph { kMinimise, kMaximise, kRestore, kClose };

// The tile under the pointer; the buttons touch, so each keeps a pixel of
// caption around its tile and two neighbours never merge.
void PaintTile(QPainter& painter, Look look, bool danger) {
  if (look != Look::kHover && look != Look::kPressed) return;
  QColor fill;
  if (danger) fill = look == Look::kHover ? chrome::kCloseHover : chrome::kClosePressed;
  else fill = look == Look::kHover ? chrome::kTileHover : chrome::kTilePressed;
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(1, 1, kWidth - 2, kHeight - 2), 4, 4);
}

QColor GlyphColour(Look look, bool danger) {
  switch (look) {
    case Look::kHover:
    case Look::kPressed:
      return danger ? QColor(Qt::white) : chrome::kGlyphHot;
    case Look::kDisabled:
      return chrome::kGlyphDisabled;
    case Look::kNormal:
      break;
  }
  return chrome::kGlyph;
}

// Glyphs on whole pixels: a 1-pixel pen on half coordinates fills exactly
// one row or column, so the lines stay sharp at this size.
void PaintGlyph(QPainter& painter, Glyph glyph, const QColor& colour) {
  QPen pen(colour, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  painter.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::kMinimise:
      painter.fillRect(QRect(9, 13, 10, 1), colour);
      break;
    case Glyph::kMaximise:
      painter.setPen(pen);
      painter.drawRect(QRectF(9.5, 8.5, 9, 9));
      break;
    case Glyph::kRestore: {
      painter.setPen(pen);
      painter.drawRect(QRectF(9.5, 10.5, 7, 7));
      // The window behind shows only above and right of the front one.
      QPainterPath behind;
      behind.moveTo(11.5, 10.0);
      behind.lineTo(11.5, 8.5);
      behind.lineTo(18.5, 8.5);
      behind.lineTo(18.5, 15.5);
      behind.lineTo(17.0, 15.5);
      painter.drawPath(behind);
      break;
    }
    case Glyph::kClose: {
      QPen cross(colour, 1.35, Qt::SolidLine, Qt::RoundCap);
      painter.setPen(cross);
      const QPointF centre(14.0, 13.0);
      const double arm = 4.6;
      painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
      painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
      break;
    }
  }
}

QImage CaptionButton(Glyph glyph) {
  const bool danger = glyph == Glyph::kClose;
  return FourLooks([glyph, danger](Look look) {
    QImage frame = drawing::NewCanvas(kWidth, kHeight);
    QPainter painter(&frame);
    drawing::Prepare(painter);
    PaintTile(painter, look, danger);
    PaintGlyph(painter, glyph, GlyphColour(look, danger));
    painter.end();
    return frame;
  });
}

}  // namespace

QImage MinimiseButton() { return CaptionButton(Glyph::kMinimise); }
QImage MaximiseButton() { return CaptionButton(Glyph::kMaximise); }
QImage RestoreButton() { return CaptionButton(Glyph::kRestore); }
QImage CloseButton() { return CaptionButton(Glyph::kClose); }

}  // namespace art
