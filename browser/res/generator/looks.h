#pragma once

#include <QColor>
#include <QImage>

#include <functional>

// The four looks of a button, in the order the program cuts its strips.
enum class Look { kNormal, kHover, kPressed, kDisabled };

// Draws one frame per look and lays them side by side.
QImage FourLooks(const std::function<QImage(Look)>& frame);

// A glyph on the light rows: the window's brown-grey, the deep accent under
// the pointer, pale when disabled.
QColor GlyphColour(Look look);
