#include <QPainter>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "metrics.h"

namespace art {
namespace {

constexpr int kEnd = metrics::kBoxEndWidth;
constexpr int kHeight = metrics::kBoxHeight;

// The box is drawn once, longer than the image and open past its right
// edge; the left end and a straight piece are then cut from the same
// drawing, so the stretched middle meets the end without a seam. Outside
// the rounded corners the image is clear and the row shows through.
QImage Box(const QColor& edge, double edgeWidth, double radius) {
  QImage canvas = drawing::NewCanvas(4 * kEnd, kHeight);
  {
    QPainter painter(&canvas);
    drawing::Prepare(painter);
    const double half = edgeWidth / 2;
    painter.setPen(QPen(edge, edgeWidth));
    painter.setBrush(chrome::kBoxInside);
    painter.drawRoundedRect(QRectF(half, half, 6 * kEnd, kHeight - edgeWidth), radius, radius);
  }
  QImage image = drawing::NewCanvas(2 * kEnd, kHeight);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, canvas, 0, 0, kEnd, kHeight);
  painter.drawImage(kEnd, 0, canvas, 2 * kEnd, 0, kEnd, kHeight);
  painter.end();
  return image;
}

}  // namespace

QImage AddressFrame() { return Box(chrome::kBoxEdge, 1.0, 5.0); }

// The search box wears the accent, like the search fields of the shops.
QImage SearchFrame() { return Box(chrome::kSearchEdge, 2.0, 6.0); }

}  // namespace art
