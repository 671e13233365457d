#include "screen_image.h"

#include <cctype>

#include "child_process.h"

extern char** environ;

namespace quorla_desktop {
namespace {

// The next decimal number of a PPM header, after blanks and comments.
bool HeaderNumber(const std::string& data, size_t& at, int& value) {
  for (;;) {
    while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at]))) ++at;
    if (at < data.size() && data[at] == '#') {
      while (at < data.size() && data[at] != '\n') ++at;
      continue;
    }
    break;
  }
  size_t start = at;
  long long v = 0;
  while (at < data.size() && std::isdigit(static_cast<unsigned char>(data[at])) && v < 1000000) v = v * 10 + (data[at++] - '0');
  if (at == start || v >= 1000000) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

std::optional<ScreenImage> ScreenImage::FromPpm(const std::string& data) {
  if (data.size() < 2 || data[0] != 'P' || data[1] != '6') return std::nullopt;
  size_t at = 2;
  int width = 0, height = 0, maximum = 0;
  if (!HeaderNumber(data, at, width) || !HeaderNumber(data, at, height) || !HeaderNumber(data, at, maximum))
    return std::nullopt;
  if (maximum != 255 || width <= 0 || height <= 0 || at >= data.size()) return std::nullopt;
  ++at;  // the one blank after the header
  size_t bytes = static_cast<size_t>(width) * height * 3;
  if (data.size() - at < bytes) return std::nullopt;
  ScreenImage image;
  image.width_ = width;
  image.height_ = height;
  image.rgb_.assign(data.begin() + at, data.begin() + at + bytes);
  return image;
}

std::optional<ScreenImage> ScreenImage::Load(const std::string& path) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  CommandResult r = RunCommand({"convert", path, "-depth", "8", "ppm:-"}, env);
  if (r.exitCode != 0) return std::nullopt;
  return FromPpm(r.output);
}

std::uint32_t ScreenImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFF000000u;
  const std::uint8_t* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
  return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
}

}  // namespace quorla_desktop
