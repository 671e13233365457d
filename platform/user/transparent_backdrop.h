#pragma once
// A transparent child (WS_EX_TRANSPARENT) draws over its parent's pixels.
// When the parent paints beneath it, the child repaints right after and
// finds the parent's fresh pixels in the image. When the child repaints on
// its own (a link changing state), the image under it holds its own last
// drawing; drawing again over that would leave the old text and thicken
// antialiased edges. So the pixels the parent last painted beneath each
// transparent child are kept, and laid back beneath the child as the first
// step of erasing its background, before WM_ERASEBKGND.
#include <QPoint>
#include <QRegion>
#include <memory>

#include "window_ui.h"

namespace quorla {

// The parent's pixels beneath a transparent child, in the child's client
// coordinates, valid while the child keeps its place and size.
struct Backdrop {
  Backdrop(QPoint offset, QSize size) : offsetInTopLevel(offset), pixels(size.width(), size.height()) {}
  QPoint offsetInTopLevel;
  WindowImage pixels;
  QRegion area;  // where pixels hold what the parent painted
};

// The window's paint or erase DC drew the area (its client coordinates)
// into its top-level window's image: keeps the pixels there beneath its
// transparent children.
void KeepBackdrops(HWND parent, const QRegion& drawn);
// Lays what a transparent window's parent painted beneath it back into the
// image, inside the area (the window's client coordinates) and the window's
// visible region; nothing for other windows.
void LayBackdrop(HWND child, const QRegion& area);

}  // namespace quorla
