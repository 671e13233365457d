// The image library's BMP decoder through CDibImage's dispatcher, then
// drawing of what it decoded; then every decoder in turn, as for an unknown type.
#include "image_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodeAndDraw(data, size, DIBIMAGE_FORMAT_BMP, 0);
  DecodeAndDraw(data, size, DIBIMAGE_FORMAT_UNKNOWN, 0);
  return 0;
}
