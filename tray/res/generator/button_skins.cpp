#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "drawing.h"
#include "palette.h"
#include "skins.h"

namespace skins {
namespace {

enum class Look { kNormal, kHover, kPressed, kDisabled };
constexpr Look kLooks[4] = {Look::kNormal, Look::kHover, Look::kPressed, Look::kDisabled};

// --- close button -----------------------------------------------------------

QImage CloseFrame(Look look) {
  QImage frame = drawing::NewCanvas(21, 20);
  QPainter painter(&frame);
  drawing::Prepare(painter);

  QColor cross = palette::kQuietGrey;
  if (look == Look::kHover || look == Look::kPressed) {
    // A soft red tile appears under the pointer, darker while pressed.
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == Look::kHover ? palette::kAccent : palette::kAccentDeep);
    painter.drawRoundedRect(QRectF(1, 1, 19, 18), 3, 3);
    cross = Qt::white;
  } else if (look == Look::kDisabled) {
    cross = palette::kDisabledGrey;
  }

  QPen pen(cross, 1.8, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(pen);
  const double shift = look == Look::kPressed ? 0.5 : 0.0;
  const QPointF centre(10.5 + shift, 10.0 + shift);
  const double arm = 4.0;
  painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
  painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
  painter.end();
  return frame;
}

// --- open button ------------------------------------------------------------

struct OpenColours {
  QColor top, bottom, edge, text;
};

OpenColours OpenLook(Look look) {
  switch (look) {
    case Look::kHover:
      return {QColor(0xFF, 0x9A, 0x55), QColor(0xF8, 0x63, 0x3A), QColor(0xE9, 0x50, 0x2C), Qt::white};
    case Look::kPressed:
      return {QColor(0xE4, 0x4F, 0x26), QColor(0xEE, 0x66, 0x36), QColor(0xC2, 0x38, 0x1C), Qt::white};
    case Look::kDisabled:
      return {QColor(0xEE, 0xEA, 0xE7), QColor(0xDD, 0xD7, 0xD3), QColor(0xCC, 0xC5, 0xC0), QColor(0xA8, 0xA0, 0x9A)};
    case Look::kNormal:
      break;
  }
  return {palette::kAccentLight, palette::kAccent, palette::kAccentDeep, Qt::white};
}

QImage OpenFrame(Look look) {
  QImage frame = drawing::NewCanvas(126, 31);
  QPainter painter(&frame);
  drawing::Prepare(painter);
  const OpenColours colours = OpenLook(look);
  const bool pressed = look == Look::kPressed;

  // A soft drop shadow under the raised looks; pressed sits flat.
  QRectF body(0.5, 0.5, 125, 29);
  if (!pressed && look != Look::kDisabled) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x40, 0x20, 60));
    painter.drawRoundedRect(body.translated(0, 1), 5, 5);
  }
  if (pressed) body.translate(0, 1);

  QLinearGradient fill(0, body.top(), 0, body.bottom());
  fill.setColorAt(0, colours.top);
  fill.setColorAt(1, colours.bottom);
  painter.setPen(QPen(colours.edge, 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(body, 5, 5);

  // A thin light line along the top edge gives the raised looks some depth.
  if (!pressed && look != Look::kDisabled) {
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.drawLine(QPointF(5, 1.5), QPointF(121, 1.5));
  }

  painter.setPen(colours.text);
  painter.setFont(drawing::UiFont(14, true));
  const QRectF label = body.adjusted(0, 0, 0, -1);
  painter.drawText(label, Qt::AlignCenter, QStringLiteral("查看商品 ›"));
  painter.end();
  return frame;
}

}  // namespace

QImage CloseButton() {
  QImage frames[4];
  for (int i = 0; i < 4; ++i) frames[i] = CloseFrame(kLooks[i]);
  return drawing::Strip(frames, 4);
}

QImage OpenButton() {
  QImage frames[4];
  for (int i = 0; i < 4; ++i) frames[i] = OpenFrame(kLooks[i]);
  return drawing::Strip(frames, 4);
}

}  // namespace skins
