#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "drawing.h"
#include "palette.h"
#include "skins.h"

namespace skins {

QImage ProductBox() {
  // Stretched a little wider by the program (to 367 pixels), so the curve
  // is kept small and the accent runs along the left edge only.
  QImage image = drawing::NewCanvas(352, 46);
  QPainter painter(&image);
  drawing::Prepare(painter);

  const QRectF panel(0.5, 0.5, 351, 45);
  QLinearGradient fill(0, 0, 0, 46);
  fill.setColorAt(0, QColor(0xFF, 0xF9, 0xF4));
  fill.setColorAt(1, palette::kPanel);
  painter.setPen(QPen(palette::kPanelBorder, 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(panel, 4, 4);

  // Accent bar inside the left edge, following the panel's curve.
  QPainterPath inside;
  inside.addRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 3.5, 3.5);
  painter.setClipPath(inside);
  painter.setPen(Qt::NoPen);
  QLinearGradient accent(0, 0, 0, 46);
  accent.setColorAt(0, palette::kAccentLight);
  accent.setColorAt(1, palette::kAccent);
  painter.fillRect(QRectF(0, 0, 4, 46), accent);
  painter.end();
  return image;
}

QImage PriceBox() {
  // Drawn without the window's background beneath it, so every pixel is
  // opaque; the outer columns and rows match the card so the three boxes
  // stand apart as tiles. Stretched sideways, it has no curve and nothing
  // but vertical gradients.
  constexpr int kWidth = 73;
  constexpr int kHeight = 56;
  constexpr int kTop = 3;           // gap under the product box
  constexpr int kBottom = 54;       // last row of the tile's border
  constexpr int kBandBottom = 25;   // the caption band: captions at y 5..21
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(palette::kCard);
  QPainter painter(&image);

  const QRect tile(1, kTop, kWidth - 2, kBottom - kTop + 1);
  painter.fillRect(tile, palette::kTileBorder);
  const QRect inner = tile.adjusted(1, 1, -1, -1);

  QLinearGradient band(0, inner.top(), 0, kBandBottom);
  band.setColorAt(0, QColor(0xFF, 0xF5, 0xEC));
  band.setColorAt(1, palette::kTileBand);
  painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), kBandBottom - inner.top() + 1), band);
  painter.fillRect(QRect(inner.left(), kBandBottom + 1, inner.width(), 1), palette::kHairline);

  QLinearGradient body(0, kBandBottom + 2, 0, inner.bottom());
  body.setColorAt(0, palette::kCard);
  body.setColorAt(1, QColor(0xFF, 0xFB, 0xF8));
  painter.fillRect(QRect(inner.left(), kBandBottom + 2, inner.width(), inner.bottom() - kBandBottom - 1), body);
  painter.end();
  return image;
}

}  // namespace skins
