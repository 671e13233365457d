#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

// Drawing as the program draws: frames cut from strips, stretched by
// picking the nearest pixel and blended by their alpha; one line of text in
// the shared 12-pixel font, cut with an ellipsis.
namespace preview {

// Frame `frame` of `width`-wide frames, stretched onto `target`.
void DrawFrame(QPainter& painter, const QImage& image, int width, int frame, const QRect& target);

// Three slices of a nine-frame skin for one look (0, 1, 2), the middle
// stretched only when the rectangle is at least two slices wide.
void DrawThreeSlices(QPainter& painter, const QImage& skin, int look, const QRect& rect);

void DrawText(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour);

int TextWidth(const QString& text);

}  // namespace preview
