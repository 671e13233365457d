#pragma once

#include <QImage>
#include <QString>

// Writes a 24-bit bitmap file (file header, 40-byte info header, rows
// bottom-up in blue, green, red order, each padded to four bytes): the form
// of the program's bitmap resources, which carry no alpha.
bool WriteBitmapFile(const QImage& image, const QString& path);
