#pragma once
// A picture of the screen (or any image ImageMagick reads) as 8-bit RGB
// pixels, for tests that look at what is shown.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorla_desktop {

class ScreenImage {
 public:
  // Reads PPM (P6, 8 bits) data; nothing when it is not that.
  static std::optional<ScreenImage> FromPpm(const std::string& data);
  // Reads an image file through ImageMagick's convert.
  static std::optional<ScreenImage> Load(const std::string& path);

  int width() const { return width_; }
  int height() const { return height_; }
  // 0xRRGGBB; 0xFF000000 outside the picture.
  std::uint32_t Pixel(int x, int y) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint8_t> rgb_;
};

}  // namespace quorla_desktop
