#pragma once
// The record behind an HICON: its image, straight ARGB32, fixed at creation.
// It lives in the handle table with the drawing objects, so it can be made
// before Qt runs only through a decoded image (which needs no application).
#include <QImage>

#include "gdi_object.h"
#include "win/icons.h"

namespace quorla {

class IconObject final : public GdiObject {
 public:
  explicit IconObject(QImage image) : image(std::move(image)) {}
  int Describe(int size, void* buffer) const override { return 0; }
  const QImage image;
};

// The icon's image; a null image for a handle that is no icon.
QImage IconImage(HICON icon);

}  // namespace quorla
