#pragma once
// Reading icon files (.ico): the directory of images and the decoding of
// one image, stored either as a PNG or as a bitmap with a transparency mask
// (1, 4, 8, 24 or 32 bits per pixel). Malformed data gives an empty
// directory or a null image, never a read outside the given bytes.
#include <QImage>
#include <cstddef>
#include <vector>

#include "win/types.h"

namespace quorla {

struct IconEntry {
  int width = 0;   // as the directory lists it (0 there means 256)
  int height = 0;
  int bitCount = 0;
  std::size_t offset = 0;
  std::size_t size = 0;
};

// The images an icon file lists; empty when the file is not an icon file or
// an entry's data lies outside it.
std::vector<IconEntry> ReadIconDirectory(const BYTE* data, std::size_t size);

// The entry to show at width x height: the one whose size is nearest, among
// equally near ones the deeper colour, then the larger. entries must not be
// empty.
std::size_t NearestIconEntry(const std::vector<IconEntry>& entries, int width, int height);

// One image of the file as straight (not premultiplied) ARGB32; null when
// its data is broken.
QImage DecodeIconImage(const BYTE* data, std::size_t size, const IconEntry& entry);

}  // namespace quorla
