// The image library's PNG decoder through CDibImage's dispatcher, then
// drawing of what it decoded.
#include "image_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodeAndDraw(data, size, DIBIMAGE_FORMAT_PNG, 0);
  return 0;
}
