#pragma once

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

// The tab strip and the site chooser list, drawn by the program's rules
// from the program's images.
namespace preview {

struct PreviewTab {
  QString title;
  int icon = 0;             // image id of the page icon; 0: none shown
  int loadingFrame = -1;    // the loading animation's frame, or -1
  bool hot = false;
  bool closeHot = false;
};

// Paints the strip in `strip` (its full height, pages included) and the
// home button after the tabs; the page area below the tab row is left.
void PaintTabStrip(QPainter& painter, const QRect& strip, const std::vector<PreviewTab>& tabs, int selected,
                   int homeState);

// The top of the pages in the strip's coordinates.
int PageTop();

// The chooser list with its three shops at `at`, entry `hovered` (or -1)
// under the pointer.
void PaintChooserList(QPainter& painter, const QPoint& at, int hovered);

}  // namespace preview
