#include "preview_tabs.h"

#include <algorithm>

#include "catalogue.h"
#include "preview_drawing.h"

namespace preview {
namespace {

constexpr int kTabTop = 2;
constexpr int kMaxTabWidth = 180;

int TabWidth(int clientWidth, int count) {
  if (count == 0) return kMaxTabWidth;
  return std::max(1, std::min(kMaxTabWidth, (clientWidth - 34) / count));
}

void PaintTab(QPainter& painter, const QRect& tab, const PreviewTab& item, bool selected) {
  const QImage slices = ImageOf(335);
  const int look = selected ? 2 : (item.hot ? 1 : 0);
  DrawThreeSlices(painter, slices, look, tab);
  const int left = tab.left();
  const int right = tab.left() + tab.width();
  const int bottom = tab.top() + tab.height();
  if (item.loadingFrame >= 0) {
    DrawFrame(painter, ImageOf(365), 16, item.loadingFrame, QRect(left + 8, bottom - 20, 16, 16));
  } else if (item.icon != 0) {
    painter.drawImage(QRect(left + 8, bottom - 21, 16, 16), ImageOf(item.icon));
  }
  const QRect text(left + 28, tab.top() + 4, right - 22 - (left + 28), bottom - tab.top() - 4);
  if (text.width() > 12) DrawText(painter, text, item.title, Qt::black);
  if (tab.width() > 30) {
    const QImage close = ImageOf(348);
    DrawFrame(painter, close, 14, item.closeHot ? 1 : 0,
              QRect(right - 14 - 10, (tab.top() + bottom - 14) / 2 + 2, 14, 14));
  }
}

}  // namespace

int PageTop() { return kTabTop + ImageOf(335).height() + 1; }

void PaintTabStrip(QPainter& painter, const QRect& strip, const std::vector<PreviewTab>& tabs, int selected,
                   int homeState) {
  const QImage background = ImageOf(332);
  painter.fillRect(QRect(strip.topLeft(), QSize(strip.width(), background.height())), Qt::white);
  DrawFrame(painter, background, background.width(), 0, QRect(strip.topLeft(), QSize(strip.width(), background.height())));
  const int count = static_cast<int>(tabs.size());
  const int width = TabWidth(strip.width(), count);
  const int height = ImageOf(335).height();
  for (int i = 0; i < count; ++i) {
    PaintTab(painter, QRect(strip.left() + 2 + i * width, strip.top() + kTabTop, width, height), tabs[i], i == selected);
  }
  int tabsWidth = 2;
  if (count > 0) tabsWidth = width < kMaxTabWidth ? strip.width() - 30 : count * width + 4;
  const QImage home = ImageOf(384);
  DrawFrame(painter, home, home.width() / 4, homeState,
            QRect(strip.left() + tabsWidth, strip.top() + 7, home.width() / 4, home.height()));
}

void PaintChooserList(QPainter& painter, const QPoint& at, int hovered) {
  const int entries[3] = {359, 367, 368};
  const QString titles[3] = {QStringLiteral("淘宝网"), QStringLiteral("京东商城"), QStringLiteral("当当网")};
  const QRect list(at, QSize(82, 25 * 3 + 2));
  painter.fillRect(list, Qt::black);  // a fresh bitmap: whatever the entries leave shows black
  painter.setPen(QColor(210, 191, 184));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(list.adjusted(0, 0, -1, -1));
  const QImage skin = ImageOf(371);
  for (int n = 0; n < 3; ++n) {
    const QRect entry(at.x() + 1, at.y() + 1 + 25 * n, 80, 25);
    DrawThreeSlices(painter, skin, n == hovered ? 1 : 0, entry);
    const QImage icon = ImageOf(entries[n]);
    painter.drawImage(entry.left() + 2, entry.top() + (entry.height() - icon.height()) / 2, icon);
    DrawText(painter, QRect(entry.left() + icon.width() + 4, entry.top(), entry.width() - icon.width() - 4, entry.height()),
             titles[n], Qt::black);
  }
}

}  // namespace preview
