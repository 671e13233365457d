#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

#include "catalogue.h"
#include "drawing.h"
#include "preview.h"

namespace {

constexpr int kScale = 4;
constexpr int kMargin = 16;
constexpr int kLabelWidth = 250;
constexpr int kTick = 5;
const QColor kSheet{0x6E, 0x6E, 0x6E};
const QColor kEdgeMark{0xFF, 0x00, 0xD0};

// What an image lies on in the window, so the sheet shows it as drawn:
// another image (0: a checkerboard) and the row of it at the image's top.
struct Backdrop {
  int id = 0;
  int top = 0;
};

struct Item {
  QString label;
  QImage image;
  int frames;
  Backdrop backdrop;
};

Backdrop BackdropOf(int id) {
  switch (id) {
    case 340: case 341: case 342: case 343:
      return {339, 0};
    case 344: case 345: case 346: case 347:
      return {331, 5};
    case 351: case 369:
      return {331, 4};
    case 354: case 355:
      return {331, 2};
    case 358: case 386:
      return {356, 2};
    case 361:
      return {329, 7};
    case 335:
      return {332, 2};
    case 348:
      return {332, 10};
    case 362:
      return {332, 8};
    case 365:
      return {332, 9};
    default:
      return {};
  }
}

QImage BackdropImage(const QSize& size, const Backdrop& backdrop) {
  QImage board(size, QImage::Format_ARGB32_Premultiplied);
  if (backdrop.id == 0) {
    for (int y = 0; y < board.height(); ++y)
      for (int x = 0; x < board.width(); ++x)
        board.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(0xCC, 0xCC, 0xCC) : qRgb(0xFF, 0xFF, 0xFF));
    return board;
  }
  // The caption's middle frame, or the row, stretched sideways.
  const QImage source = ImageOf(backdrop.id);
  const int frames = backdrop.id == 329 ? 3 : 1;
  const int width = source.width() / frames;
  QPainter painter(&board);
  painter.drawImage(QRect(QPoint(0, 0), size), source,
                    QRect((frames / 2) * width, backdrop.top, width, std::min(size.height(), source.height() - backdrop.top)));
  return board;
}

QImage OnBackdrop(const QImage& image, const Backdrop& backdrop) {
  QImage board = BackdropImage(image.size(), backdrop);
  QPainter painter(&board);
  painter.drawImage(0, 0, image);
  return board;
}

std::vector<Item> Items() {
  std::vector<Item> items;
  for (const CatalogueEntry& entry : Catalogue()) {
    if (entry.kind == ImageKind::kIcon) {
      for (const QImage& icon : IconImages())
        items.push_back({QStringLiteral("%1  %2  %3×%3").arg(entry.id).arg(entry.file).arg(icon.width()), icon, 1, {}});
      continue;
    }
    const QImage image = entry.draw();
    const QString kind = entry.kind == ImageKind::kBitmap ? QStringLiteral("24-bit") : QStringLiteral("RGBA");
    QString label = QStringLiteral("%1  %2\n%3×%4, %5 frame%6 of %7×%4, %8")
                        .arg(entry.id)
                        .arg(entry.file)
                        .arg(image.width())
                        .arg(image.height())
                        .arg(entry.frames)
                        .arg(entry.frames == 1 ? QString() : QStringLiteral("s"))
                        .arg(image.width() / entry.frames)
                        .arg(kind);
    items.push_back({label, image, entry.frames, BackdropOf(entry.id)});
  }
  return items;
}

// An outline two pixels clear of the image, and ticks above and below on
// the first column of every frame but the first.
void MarkFrames(QPainter& painter, const QRect& at, int frames) {
  painter.setPen(kEdgeMark);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(at.adjusted(-3, -3, 2, 2));
  for (int i = 1; i < frames; ++i) {
    const int x = at.left() + at.width() * i / frames;
    painter.drawLine(x, at.top() - 3 - kTick, x, at.top() - 3);
    painter.drawLine(x, at.bottom() + 3, x, at.bottom() + 3 + kTick);
  }
}

}  // namespace

bool WriteImageSheet(const QString& path) {
  const std::vector<Item> items = Items();
  const QFont font = drawing::UiFont(12, false);
  const int lineHeight = QFontMetrics(font).height();
  int width = 0;
  int height = kMargin;
  for (const Item& item : items) {
    width = std::max(width, kLabelWidth + item.image.width() + kMargin * 2 + item.image.width() * kScale);
    height += std::max(item.image.height() * kScale + 2 * (kTick + 3), 2 * lineHeight) + kMargin;
  }
  QImage sheet(width + 2 * kMargin, height, QImage::Format_RGB32);
  sheet.fill(kSheet);
  QPainter painter(&sheet);
  painter.setFont(font);
  int y = kMargin;
  for (const Item& item : items) {
    const int rowHeight = std::max(item.image.height() * kScale + 2 * (kTick + 3), 2 * lineHeight);
    painter.setPen(Qt::white);
    painter.drawText(QRect(kMargin, y, kLabelWidth - 8, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, item.label);
    const QImage shown = OnBackdrop(item.image, item.backdrop);
    const QRect one(kMargin + kLabelWidth, y + kTick + 3, item.image.width(), item.image.height());
    painter.drawImage(one.topLeft(), shown);
    MarkFrames(painter, one, item.frames);
    const QRect four(one.right() + 1 + kMargin * 2, y + kTick + 3, item.image.width() * kScale,
                     item.image.height() * kScale);
    painter.drawImage(four, shown);
    MarkFrames(painter, four, item.frames);
    y += rowHeight + kMargin;
  }
  painter.end();
  return sheet.save(path, "PNG");
}
