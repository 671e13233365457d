#pragma once
// Pictures held in memory (PNG, BMP, JPEG, GIF) decoded into DIB sections,
// for the application framework's image class.
#include "win/dib.h"

namespace quorla {
// A new top-down DIB section with the picture: 32 bits per pixel (blue,
// green, red, alpha) with straight, not premultiplied, alpha when the
// picture has an alpha channel (*hasAlpha TRUE), else 24 bits (FALSE).
// Null, with ERROR_INVALID_DATA, for bytes that are no whole picture.
// hasAlpha may be null. Safe on any thread.
WINAPI_EXPORT HBITMAP DecodeImageToDib(const void* data, SIZE_T size, BOOL* hasAlpha);
}  // namespace quorla
