#include <algorithm>
#include <cstring>

#include "window_ui.h"

namespace quorla {

namespace {
// White with the alpha byte set, as an opaque 32-bit image expects.
constexpr std::uint32_t kBlank = 0xFFFFFFFFu;
}  // namespace

WindowImage::WindowImage(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), kBlank) {}

Surface WindowImage::View() {
  Surface s;
  if (pixels.empty()) return s;
  s.top = reinterpret_cast<BYTE*>(pixels.data());
  s.pitch = static_cast<std::ptrdiff_t>(width) * 4;
  s.width = width;
  s.height = height;
  s.bitCount = 32;
  return s;
}

std::shared_ptr<WindowImage> WindowImage::Resized(int w, int h) const {
  auto image = std::make_shared<WindowImage>(w, h);
  int rows = std::min(h, height), columns = std::min(w, width);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(image->pixels.data() + static_cast<size_t>(y) * w, pixels.data() + static_cast<size_t>(y) * width,
                static_cast<size_t>(columns) * 4);
  }
  return image;
}

}  // namespace quorla
