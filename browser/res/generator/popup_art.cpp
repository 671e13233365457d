#include <QLinearGradient>
#include <QPainter>

#include "chrome_palette.h"
#include "drawing.h"
#include "looks.h"
#include "palette.h"
#include "price_watch_art.h"

// The price-drop pop-up, 397 x 317. The program writes its texts over it:
// the title (black) in the header, two lines of dark blue text, the item's
// title in white over the dark band, the three prices below it, the link
// and the open button in the footer.
namespace art {
namespace {

constexpr int kWidth = 397;
constexpr int kHeight = 317;
constexpr int kHeaderHeight = 40;
constexpr int kFooterTop = 254;
const QColor kBand{0x8E, 0x3B, 0x1F};
const QColor kBandLight{0xB5, 0x4A, 0x24};

QImage PopupLooks(const QRect& place, const std::function<void(QPainter&, Look)>& face) {
  const QImage background = PopupBackground().copy(place);
  QImage frames[4];
  const Look looks[4] = {Look::kNormal, Look::kHover, Look::kPressed, Look::kDisabled};
  for (int i = 0; i < 4; ++i) {
    frames[i] = background;
    QPainter painter(&frames[i]);
    drawing::Prepare(painter);
    face(painter, looks[i]);
  }
  return drawing::Strip(frames, 4);
}

}  // namespace

QImage PopupBackground() {
  QImage image = drawing::NewCanvas(kWidth, kHeight);
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.fillRect(image.rect(), palette::kCard);
  QLinearGradient header(0, 0, 0, kHeaderHeight);
  header.setColorAt(0, palette::kHeaderTop);
  header.setColorAt(1, palette::kHeaderBottom);
  painter.fillRect(QRect(0, 0, kWidth, kHeaderHeight), header);
  painter.fillRect(QRect(0, kHeaderHeight - 2, kWidth, 2), palette::kAccent);
  // The item: a dark band behind its white title, then a panel with the
  // three prices under their labels.
  QLinearGradient band(0, 146, 0, 180);
  band.setColorAt(0, kBandLight);
  band.setColorAt(1, kBand);
  painter.setPen(Qt::NoPen);
  painter.setBrush(band);
  painter.drawRoundedRect(QRectF(20, 146, kWidth - 40, 34), 4, 4);
  painter.setPen(QPen(palette::kPanelBorder, 1.0));
  painter.setBrush(palette::kPanel);
  painter.drawRoundedRect(QRectF(20.5, 188.5, kWidth - 41, 48), 4, 4);
  painter.setPen(QPen(palette::kHairline, 1.0));
  painter.drawLine(QPointF(142.5, 194), QPointF(142.5, 231));
  painter.drawLine(QPointF(264.5, 194), QPointF(264.5, 231));
  // The footer with the link and the open button.
  painter.fillRect(QRect(0, kFooterTop, kWidth, kHeight - kFooterTop), palette::kFooter);
  painter.fillRect(QRect(0, kFooterTop, kWidth, 1), palette::kHairline);
  // The window's edge, one pixel all round.
  painter.setPen(QPen(palette::kCardBorder, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.drawRect(QRect(0, 0, kWidth - 1, kHeight - 1));
  return image;
}

QImage PopupCloseButton() {
  return PopupLooks(QRect(370, 7, 21, 20), [](QPainter& painter, Look look) {
    if (look == Look::kHover || look == Look::kPressed) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(look == Look::kHover ? chrome::kCloseHover : chrome::kClosePressed);
      painter.drawRoundedRect(QRectF(0, 0, 21, 20), 3, 3);
    }
    QColor colour = look == Look::kNormal ? chrome::kGlyph : Qt::white;
    if (look == Look::kDisabled) colour = chrome::kGlyphDisabled;
    painter.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6.5, 6), QPointF(14.5, 14));
    painter.drawLine(QPointF(14.5, 6), QPointF(6.5, 14));
  });
}

QImage OpenItemButton() {
  return PopupLooks(QRect(245, 268, 126, 31), [](QPainter& painter, Look look) {
    QColor fill = palette::kAccent;
    if (look == Look::kHover) fill = palette::kAccentLight;
    if (look == Look::kPressed) fill = palette::kAccentDeep;
    if (look == Look::kDisabled) fill = drawing::Mix(palette::kAccent, Qt::white, 0.55);
    painter.setPen(QPen(palette::kAccentDeep, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 125, 30), 5, 5);
    if (look == Look::kPressed) painter.translate(0, 1);
    painter.setFont(drawing::UiFont(14, true));
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 126, 31), Qt::AlignCenter, QStringLiteral("打开降价页面"));
  });
}

}  // namespace art
