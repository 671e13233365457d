#include <QPainter>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "metrics.h"
#include "slices.h"

namespace art {
namespace {

constexpr int kSlice = metrics::kSkinSlice;
constexpr int kDrawingWidth = 8 * kSlice;  // centre columns all alike
enum { kNormal, kHover, kPressed };

// A toolbar button: nothing of its own until the pointer comes, so the row
// shows; then the rounded peach tile of the overflow button.
QImage ToolbarLook(int look, int height) {
  QImage image = drawing::NewCanvas(kDrawingWidth, height);
  if (look == kNormal) return image;
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(QPen(chrome::kTileEdgeOnWhite, 1));
  painter.setBrush(look == kHover ? chrome::kTileHoverOnWhite : chrome::kTilePressedOnWhite);
  // The corner's curve stays inside the end slices.
  painter.drawRoundedRect(QRectF(0.5, 0.5, kDrawingWidth - 1, height - 1), 3.5, 3.5);
  return image;
}

// A chooser entry. The list may be drawn into a fresh bitmap, so every look
// is opaque: white, or white with the tile on it. The tile is flatter than
// a toolbar's: the entry's icon sits two pixels from its left edge.
QImage ChooserLook(int look) {
  const int height = metrics::kChooserEntryHeight;
  QImage image = drawing::NewCanvas(kDrawingWidth, height);
  image.fill(chrome::kBoxInside);
  if (look == kNormal) return image;
  QPainter painter(&image);
  drawing::Prepare(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(look == kHover ? chrome::kTileHoverOnWhite : chrome::kTilePressedOnWhite);
  painter.drawRoundedRect(QRectF(0, 1, kDrawingWidth, height - 2), 2, 2);
  return image;
}

}  // namespace

QImage ToolbarSkin() {
  const int height = metrics::kToolbarSkinHeight;
  return slices::Nine(kSlice, height, kDrawingWidth, [height](int look) { return ToolbarLook(look, height); });
}

QImage FavouritesSkin() {
  const int height = metrics::kFavouritesSkinHeight;
  return slices::Nine(kSlice, height, kDrawingWidth, [height](int look) { return ToolbarLook(look, height); });
}

QImage ChooserEntrySkin() {
  return slices::Nine(kSlice, metrics::kChooserEntryHeight, kDrawingWidth, ChooserLook);
}

}  // namespace art
