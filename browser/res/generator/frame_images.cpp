
#include <functional>

#include "art.h"
#include "chrome_palette.h"
#include "drawing.h"
#include "metrics.h"

namespace art {
namespace {

// Every image here is stretched by picking the nearest source pixel, so
// each is drawn as rows of one colour (or columns, for the side borders):
// whatever the stretch, no row is doubled into a visible step. They are
// all opaque: the bars draw them first into bitmaps that start black.
QImage Rows(int width, int height, const std::function<QColor(int)>& rowColour) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y) {
    const QRgb colour = rowColour(y).rgba();
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) row[x] = colour;
  }
  return image;
}

QColor Gradient(const QColor& top, const QColor& bottom, int y, int first, int last) {
  if (last <= first) return top;
  return drawing::Mix(top, bottom, static_cast<double>(y - first) / (last - first));
}

// One column of the caption: the top edge, a light first row, the peach
// band, then the accent rows that close the caption off from the rows below.
QColor CaptionRow(int y) {
  const int accentTop = metrics::kCaptionHeight - metrics::kAccentRows;
  if (y == 0) return chrome::kWindowEdge;
  if (y == 1) return drawing::Mix(chrome::kCaptionTop, Qt::white, 0.6);
  if (y >= accentTop) return y == accentTop ? chrome::kAccentLight : chrome::kAccent;
  return Gradient(chrome::kCaptionTop, chrome::kCaptionBottom, y, 2, accentTop - 1);
}

}  // namespace

QImage LeftBorder() {
  return Rows(1, 8, [](int) { return chrome::kWindowEdge; });
}

QImage RightBorder() {
  return Rows(1, 8, [](int) { return chrome::kWindowEdge; });
}

QImage BottomBorder() {
  return Rows(metrics::kRowImageWidth, 1, [](int) { return chrome::kWindowEdge; });
}

QImage Caption() {
  const int end = metrics::kCaptionEndWidth;
  QImage image = Rows(3 * end, metrics::kCaptionHeight, CaptionRow);
  // The window's region takes the outermost top pixel off each corner; a
  // blended pixel inside each corner rounds it a little further. Column 0
  // and the last column lie under the side borders, which are drawn later.
  const QColor inner = drawing::Mix(chrome::kWindowEdge, CaptionRow(1), 0.5);
  image.setPixelColor(1, 1, inner);
  image.setPixelColor(3 * end - 2, 1, inner);
  for (int y = 0; y < metrics::kCaptionHeight; ++y) {
    image.setPixelColor(0, y, chrome::kWindowEdge);
    image.setPixelColor(3 * end - 1, y, chrome::kWindowEdge);
  }
  return image;
}

QImage CaptionButtonBar() {
  // The caption's middle column where the bar lies, so the bar's window
  // vanishes into the caption around its buttons.
  return Rows(4, metrics::kCaptionButtonHeight,
              [](int y) { return CaptionRow(y + metrics::kCaptionButtonTop); });
}

QImage NavigationRow() {
  return Rows(metrics::kRowImageWidth, metrics::kNavigationHeight, [](int y) {
    return Gradient(chrome::kRowTop, chrome::kRowBottom, y, 0, metrics::kNavigationHeight - 1);
  });
}

QImage FavouritesRow() {
  const int last = metrics::kFavouritesHeight - 1;
  return Rows(metrics::kRowImageWidth, metrics::kFavouritesHeight, [last](int y) {
    if (y == last) return chrome::kHairline;
    return Gradient(chrome::kBandTop, chrome::kBand, y, 0, last - 1);
  });
}

QImage StatusBar() {
  const int last = metrics::kStatusHeight - 1;
  return Rows(metrics::kRowImageWidth, metrics::kStatusHeight, [last](int y) {
    if (y == 0) return chrome::kHairline;
    return Gradient(chrome::kStatusTop, chrome::kStatusBottom, y, 1, last);
  });
}

}  // namespace art
