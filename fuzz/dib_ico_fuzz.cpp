// The image library's ICO decoder through CDibImage's dispatcher, then
// drawing of what it decoded; the second entry too.
#include "image_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodeAndDraw(data, size, DIBIMAGE_FORMAT_ICO, 0);
  DecodeAndDraw(data, size, DIBIMAGE_FORMAT_ICO, 1);
  return 0;
}
