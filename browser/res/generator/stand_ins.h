#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

// Quick sketches of what other work draws (bitmap buttons, toolbar skins
// and icons, the tab strip, a page), only so the preview shows a whole
// window. Nothing here is written into the program's resources.
namespace stand_in {

constexpr int kGoWidth = 30;      // go and search buttons: one width, so the
constexpr int kButtonHeight = 28; // search box's text starts after the chooser

QImage GoButton();
QImage SearchButton();
QImage SiteIcon();
QImage ChooserButton();
QImage PageIcon();
QImage ToolbarIcon(int index);    // 32 x 32
QImage FavouriteIcon();           // 20 x 20
QImage HomeButton();

// A toolbar button's face (hover when asked) in the rectangle.
void PaintToolbarFace(QPainter& painter, const QRect& rect, bool hover);

// The tab strip with one selected tab, and a page beneath it.
void PaintTabsAndPage(QPainter& painter, const QRect& area, const QString& title);

}  // namespace stand_in
