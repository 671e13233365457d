#include "image_manifest.h"

#include <fstream>
#include <sstream>

namespace ui_test {

std::vector<ManifestImage> ProgramImages() {
  std::vector<ManifestImage> images;
  std::ifstream manifest(QUORLA_SOURCE_DIR "/browser/res/images.txt");
  std::string line;
  while (std::getline(manifest, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ManifestImage image;
    fields >> image.id >> image.kind >> image.file >> image.width >> image.height >> image.frames >> image.bits;
    images.push_back(image);
  }
  return images;
}

}  // namespace ui_test
