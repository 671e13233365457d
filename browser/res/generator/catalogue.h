#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

// Every image the generator writes, with what the program expects of it.
enum class ImageKind {
  kPng,     // 32-bit RGBA PNG, straight alpha
  kBitmap,  // 24-bit bitmap file, no alpha (a bitmap strip)
  kIcon,    // icon file of 32-bit images with alpha
};

struct CatalogueEntry {
  int id;
  ImageKind kind;
  QString file;
  int frames;  // equal frames side by side
  std::function<QImage()> draw;
};

const std::vector<CatalogueEntry>& Catalogue();

// The icon's images, smallest first.
QList<QImage> IconImages();

// The image with a resource number, drawn afresh; null when none.
QImage ImageOf(int id);

// One frame of an image of equal frames side by side.
QImage FrameOf(const QImage& image, int frames, int index);
