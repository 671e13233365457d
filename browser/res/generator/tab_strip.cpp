#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "metrics.h"
#include "slices.h"

namespace art {
namespace {

constexpr int kSlice = metrics::kTabSlice;
constexpr int kTabHeight = metrics::kTabHeight;
// The strip's last row under the tabs: unselected tabs stand on it, the
// selected one opens through it into the page.
constexpr int kBaseLine = metrics::kTabTop + metrics::kTabHeight - 1;

QColor StripRow(int y) {
  if (y < kBaseLine) return chrome::kBand;
  if (y == kBaseLine) return chrome::kHairline;
  return chrome::kBoxInside;
}

enum { kNormal, kHot, kSelected };

const QColor kSeparator{0xEC, 0xD2, 0xC0};
const QColor kHotCard{0xFF, 0xFC, 0xF9};

// A card with rounded top corners, a pixel in from each side so that two
// neighbours keep a gap, its foot on the tab's last row.
QPainterPath Card(double width, double bottom) {
  const double left = 1.5;
  const double right = width - 1.5;
  const double top = 0.5;
  const double radius = 4.0;
  QPainterPath card;
  card.moveTo(left, bottom);
  card.lineTo(left, top + radius);
  card.quadTo(left, top, left + radius, top);
  card.lineTo(right - radius, top);
  card.quadTo(right, top, right, top + radius);
  card.lineTo(right, bottom);
  return card;
}

QImage TabLook(int look) {
  const int width = 8 * kSlice;
  QImage image = drawing::NewCanvas(width, kTabHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  switch (look) {
    case kNormal:
      // Nothing but a short rule on the right, between two quiet tabs.
      painter.fillRect(QRect(width - 1, 7, 1, kTabHeight - 14), kSeparator);
      break;
    case kHot:
      painter.setPen(QPen(chrome::kTileEdgeOnWhite, 1.0));
      painter.setBrush(kHotCard);
      painter.drawPath(Card(width, kTabHeight - 1));
      break;
    case kSelected: {
      // White like the page, down through the strip's last row, with the
      // accent along its top.
      const QPainterPath card = Card(width, kTabHeight + 1);
      painter.setPen(QPen(chrome::kBoxEdge, 1.0));
      painter.setBrush(chrome::kBoxInside);
      painter.drawPath(card);
      painter.setClipPath(card);
      painter.setPen(Qt::NoPen);
      painter.setBrush(chrome::kAccent);
      painter.drawRect(QRectF(0, 0, width, 2.5));
      break;
    }
  }
  return image;
}

// The close glyph: the caption's grey cross, on a red disc under the pointer.
QImage CloseFrame(Look look) {
  const int size = metrics::kCloseGlyph;
  QImage image = drawing::NewCanvas(size, size);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const QPointF centre(size / 2.0, size / 2.0);
  QColor cross = chrome::kGlyph;
  if (look != Look::kNormal) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == Look::kHover ? chrome::kCloseHover : chrome::kClosePressed);
    painter.drawEllipse(centre, size / 2.0, size / 2.0);
    cross = Qt::white;
  }
  painter.setPen(QPen(cross, 1.4, Qt::SolidLine, Qt::RoundCap));
  const double arm = 3.2;
  painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
  painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
  return image;
}

// One step of the loading mark: a pale ring with an accent arc that turns
// clockwise by an eighth each frame.
QImage LoadingFrame(int step) {
  const int size = metrics::kPageIcon;
  QImage image = drawing::NewCanvas(size, size);
  QPainter painter(&image);
  drawing::Prepare(painter);
  const QRectF ring(2.0, 2.0, size - 4.0, size - 4.0);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(chrome::kTileEdgeOnWhite, 2.0));
  painter.drawEllipse(ring);
  painter.setPen(QPen(chrome::kAccent, 2.0, Qt::SolidLine, Qt::RoundCap));
  // Qt counts angles counter-clockwise in sixteenths of a degree.
  const int start = (90 - 45 * step) * 16;
  painter.drawArc(ring, start, -110 * 16);
  return image;
}

QImage HomeFrame(Look look) {
  QImage image = RowBeneath(TabStripBackground(), metrics::kHomeButtonTop, metrics::kHomeButtonWidth,
                            metrics::kHomeButtonHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  if (look == Look::kHover || look == Look::kPressed) {
    painter.setPen(QPen(chrome::kTileEdgeOnWhite, 1.0));
    painter.setBrush(look == Look::kHover ? chrome::kTileHoverOnWhite : chrome::kTilePressedOnWhite);
    painter.drawRoundedRect(QRectF(1.5, 0.5, metrics::kHomeButtonWidth - 3, metrics::kHomeButtonHeight - 1), 4, 4);
  }
  // A plus on whole pixels: a new tab with the start page.
  const QColor colour = GlyphColour(look);
  const int x = metrics::kHomeButtonWidth / 2 - 1;
  const int y = metrics::kHomeButtonHeight / 2 - 1 + (look == Look::kPressed ? 1 : 0);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(x - 4, y, 10, 2), colour);
  painter.fillRect(QRect(x, y - 4, 2, 10), colour);
  return image;
}

}  // namespace

QImage TabStripBackground() {
  QImage image(1, metrics::kTabStripHeight, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) image.setPixelColor(0, y, StripRow(y));
  return image;
}

QImage TabBackground() { return slices::Nine(kSlice, kTabHeight, 8 * kSlice, TabLook); }

QImage TabCloseGlyph() {
  const QImage frames[3] = {CloseFrame(Look::kNormal), CloseFrame(Look::kHover), CloseFrame(Look::kPressed)};
  return drawing::Strip(frames, 3);
}

QImage LoadingAnimation() {
  QImage frames[8];
  for (int i = 0; i < 8; ++i) frames[i] = LoadingFrame(i);
  return drawing::Strip(frames, 8);
}

QImage HomeButton() { return FourLooks(HomeFrame); }

}  // namespace art
