#pragma once
// Bitmap resources (RT_BITMAP) as bitmaps: what LoadBitmapW and
// LoadImageW(IMAGE_BITMAP) give.
#include "win/gdi_objects.h"
#include "win/resources.h"

namespace quorla {

// An opaque 24-bit DIB section (bottom-up, as the platform's bitmap
// resources load) of the resource's picture, scaled to width x height when
// both are given. The resource holds a packed DIB, a whole BMP file or a PNG
// file. Null with ERROR_RESOURCE_NAME_NOT_FOUND when there is no such
// resource, ERROR_INVALID_DATA when it cannot be read.
HBITMAP LoadBitmapResource(HINSTANCE instance, LPCWSTR name, int width, int height);

}  // namespace quorla
