#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// Small helpers shared by the image drawers.
namespace drawing {

// A fully transparent premultiplied canvas to paint on.
QImage NewCanvas(int width, int height);

// Antialiased painter with the settings every drawer wants.
void Prepare(QPainter& painter);

// Latin face first, the Chinese face for what it lacks, at a pixel size.
QFont UiFont(int pixelSize, bool bold);

// Writes straight-alpha RGBA, the form the program's decoder expects.
bool SaveRgba(const QImage& image, const QString& path);

// Writes 24-bit RGB without an alpha channel.
bool SaveRgb(const QImage& image, const QString& path);

// Colour mixed from a towards b by t (0..1).
QColor Mix(const QColor& a, const QColor& b, double t);

// Frames laid side by side, as the toolkit cuts them.
QImage Strip(const QImage* frames, int count);

}  // namespace drawing
