#pragma once
// The browser's image list (browser/res/images.txt), as the tests of its
// images read it: one entry a line, comments and blank lines skipped.
#include <string>
#include <vector>

#include "win/types.h"

namespace ui_test {

struct ManifestImage {
  UINT id = 0;
  std::string kind;  // PNG, BITMAP or ICON
  std::string file;
  int width = 0, height = 0, frames = 0, bits = 0;
};

// Every entry of the list; empty when the file cannot be read.
std::vector<ManifestImage> ProgramImages();

}  // namespace ui_test
