#include "preview.h"

#include <QFontMetrics>
#include <QPainter>

#include "drawing.h"
#include "skins.h"

namespace {

QImage Frame(const QImage& strip, int count, int index) {
  const int width = strip.width() / count;
  return strip.copy(index * width, 0, width, strip.height());
}

// The program stretches by picking the nearest source pixel.
QImage Stretched(const QImage& image, int width, int height) {
  return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// One single-line piece of text at the pen's top-left, cut with an ellipsis
// at the right edge; returns its width.
int DrawPiece(QPainter& painter, const QRect& pen, const QString& text, const QColor& colour, const QFont& font) {
  painter.setFont(font);
  painter.setPen(colour);
  const QFontMetrics metrics(font);
  painter.drawText(pen, Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(text, Qt::ElideRight, pen.width()));
  return metrics.horizontalAdvance(text);
}

void DrawMessage(QPainter& painter) {
  const QFont font = drawing::UiFont(13, false);
  const QRect area(18, 45, 377, 60);
  QRect pen = area;
  pen.translate(DrawPiece(painter, pen, QStringLiteral("您于 "), Qt::black, font), 0);
  pen.translate(DrawPiece(painter, pen, QStringLiteral("2026-12-1"), QColor(255, 0, 0), font), 0);
  DrawPiece(painter, pen, QStringLiteral(" 号关注的商品现在降价啦! 为避免商品价"), Qt::black, font);
  QRect next = area.translated(0, QFontMetrics(font).height() + 2);
  DrawPiece(painter, next, QStringLiteral("格调回原价, 如果达到了您的心里价位, 建议您尽快购买!"), Qt::black, font);
}

void DrawPriceBox(QPainter& painter, const QPoint& at, int kind, int value) {
  static const QImage box = skins::PriceBox();
  static const QImage currency = Frame(skins::CurrencySigns(), 3, 0);
  static const QImage strike = skins::StrikeThrough();
  static const QImage badge = skins::DropBadge();
  static const QString captions[3] = {QStringLiteral("原价"), QStringLiteral("现价"), QStringLiteral("直降")};

  painter.save();
  painter.translate(at);
  painter.drawImage(0, 0, Stretched(box, 114, box.height()));
  painter.drawImage(38, 30, currency);
  const QFont font = drawing::UiFont(13, true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 5, 114, 25), Qt::AlignHCenter | Qt::AlignTop, captions[kind]);
  const QString digits = QString::number(value);
  painter.drawText(QRect(53, 28, 114 - 53, 56 - 28), Qt::AlignLeft | Qt::AlignTop, digits);
  if (kind == 0) {
    const int width = QFontMetrics(font).horizontalAdvance(digits) + 28;
    painter.drawImage(32, 30 + currency.height() / 2, Stretched(strike, width, strike.height()));
  }
  if (kind == 2) painter.drawImage(5, 10, badge);
  painter.restore();
}

// Pixels the window's rounded region leaves out become the desktop.
void CutCorners(QImage& image) {
  const int w = image.width();
  const int h = image.height();
  const double radius = 3.5;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double cx = x < radius ? radius : (x >= w - radius ? w - radius : x + 0.5);
      const double cy = y < radius ? radius : (y >= h - radius ? h - radius : y + 0.5);
      const double dx = x + 0.5 - cx;
      const double dy = y + 0.5 - cy;
      const bool corner = (x == 1 || x == w - 2) && (y == 1 || y == h - 2);
      if (dx * dx + dy * dy > radius * radius || corner) image.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
}

QImage Compose(bool hover) {
  QImage window = skins::NoticeBackground().convertToFormat(QImage::Format_RGB32);
  QPainter painter(&window);
  drawing::Prepare(painter);
  const int look = hover ? 1 : 0;

  painter.drawImage(371, 1, Frame(skins::CloseButton(), 4, look));
  painter.drawImage(246, 270, Frame(skins::OpenButton(), 4, look));

  DrawPiece(painter, QRect(8, 8, 250, 30), QStringLiteral("Quorla购物浏览器 降价通知"), Qt::black,
            drawing::UiFont(13, true));
  DrawMessage(painter);

  const QRect product(18, 135, 367, 46);
  painter.drawImage(product.topLeft(), Stretched(skins::ProductBox(), product.width(), product.height()));
  painter.setFont(drawing::UiFont(12, true));
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(product, Qt::AlignCenter, QStringLiteral("示例商品 超长标题"));

  DrawPriceBox(painter, QPoint(31, 181), 0, 99);
  DrawPriceBox(painter, QPoint(145, 181), 1, 80);
  DrawPriceBox(painter, QPoint(259, 181), 2, 18);

  DrawPiece(painter, QRect(13, 287, 150, 30), QStringLiteral("分享降价商品给好友"),
            hover ? QColor(3, 112, 218) : QColor(128, 82, 6), drawing::UiFont(13, false));
  painter.end();
  CutCorners(window);
  return window;
}

QImage OnChecker(const QImage& image) {
  QImage board(image.size(), QImage::Format_RGB32);
  for (int y = 0; y < board.height(); ++y)
    for (int x = 0; x < board.width(); ++x)
      board.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(0xCC, 0xCC, 0xCC) : qRgb(0xFF, 0xFF, 0xFF));
  QPainter painter(&board);
  painter.drawImage(0, 0, image);
  return board;
}

QImage OnColour(const QImage& image, const QColor& colour) {
  QImage board(image.size(), QImage::Format_RGB32);
  board.fill(colour);
  QPainter painter(&board);
  painter.drawImage(0, 0, image);
  return board;
}

}  // namespace

bool WritePreview(const QString& path, bool hover) {
  return Compose(hover).save(path, "PNG");
}

bool WriteDetailSheet(const QString& path) {
  const QImage background = skins::NoticeBackground();
  const QColor header = background.pixelColor(380, 10);
  const QColor footer = background.pixelColor(200, 285);
  struct Row {
    QImage image;
    int scale;
  };
  const QImage icons[3] = {skins::TrayIcon(16), skins::TrayIcon(32), skins::TrayIcon(48)};
  QImage iconRow = drawing::NewCanvas(16 + 32 + 48 + 16 + 2 * (16 + 32 + 48) + 40, 96);
  {
    QPainter painter(&iconRow);
    int x = 0;
    for (const QImage& icon : icons) {
      painter.drawImage(x, 0, icon);
      x += icon.width() + 8;
    }
    for (const QImage& icon : icons) {
      painter.drawImage(QRect(x, 0, icon.width() * 2, icon.height() * 2), icon);
      x += icon.width() * 2 + 8;
    }
  }
  const Row rows[] = {
      {OnColour(skins::CloseButton(), header), 8},
      {OnColour(skins::OpenButton(), footer), 2},
      {OnChecker(skins::CurrencySigns()), 10},
      {OnChecker(skins::DropBadge()), 5},
      {OnChecker(skins::StrikeThrough()), 20},
      {OnChecker(iconRow), 2},
      {OnColour(skins::TrayIcon(16), QColor(0x30, 0x30, 0x30)), 8},
  };
  int width = 0;
  int height = 0;
  for (const Row& row : rows) {
    width = std::max(width, row.image.width() * row.scale);
    height += row.image.height() * row.scale + 10;
  }
  QImage sheet(width + 20, height + 10, QImage::Format_RGB32);
  sheet.fill(QColor(0x70, 0x70, 0x70));
  QPainter painter(&sheet);
  int y = 10;
  for (const Row& row : rows) {
    painter.drawImage(QRect(10, y, row.image.width() * row.scale, row.image.height() * row.scale), row.image);
    y += row.image.height() * row.scale + 10;
  }
  painter.end();
  return sheet.save(path, "PNG");
}
