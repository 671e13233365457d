#pragma once

#include <QImage>

#include <functional>

// Skins that the program draws in three slices: the left end at its size,
// the middle stretched by picking the nearest source pixel, the right end
// at its size. One drawing per look, wider than three slices, is cut into
// its two ends and a middle taken from its centre, so the pieces meet
// without a seam however far the middle is stretched.
namespace slices {

// The three slices of one drawing, each `width` wide, side by side.
QImage Three(const QImage& drawing, int width);

// Nine slices: three looks (normal, hover, pressed) drawn by `look` at
// `drawingWidth` x `height` and cut into slices `width` wide.
QImage Nine(int width, int height, int drawingWidth, const std::function<QImage(int look)>& look);

}  // namespace slices

// The part of a row image (rows of one colour, stretched sideways) that a
// control of the given size covers when it lies `top` pixels into the row:
// the background of an opaque bitmap strip.
QImage RowBeneath(const QImage& row, int top, int width, int height);
