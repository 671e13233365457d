#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Writes an icon file of 32-bit images with straight alpha, one directory
// entry per image, each stored as a bottom-up bitmap with its AND mask.
bool WriteIcoFile(const QList<QImage>& images, const QString& path);
