#include "favourites_test_support.h"

#include <cstdint>
#include <utility>

#include "shopping/text_conversions.h"

namespace favourites_test {
std::string Utf8Of(const std::u16string& text) {
  if (text.empty()) return std::string();
  char* bytes = nullptr;
  int length = 0;
  if (!WideToUtf8(text.c_str(), &bytes, &length)) return std::string();
  std::string result(bytes);
  delete[] bytes;
  return result;
}

std::string Gbk(const char16_t* text) { return WideToChinaAcp(text); }

std::string CollectXml(const char16_t* body) {
  return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n<collect>\n" + Gbk(body) + "\n</collect>\n";
}

std::string OneColourIco(unsigned char red, unsigned char green, unsigned char blue) {
  constexpr uint32_t kPixels = 16 * 16 * 4;
  constexpr uint32_t kMask = 16 * 4;  // one bit a pixel, rows of 4 bytes
  std::string ico;
  auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) ico += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  // The directory of one 16 x 16 image of 32 bits, no palette, at 6 + 16.
  for (auto [value, bytes] : {std::pair{0u, 2}, {1u, 2}, {1u, 2}, {16u, 1}, {16u, 1}, {0u, 2}, {1u, 2}, {32u, 2},
                              {40 + kPixels + kMask, 4}, {22u, 4}})
    put(value, bytes);
  // The image: a bitmap header of twice the height (colour and mask).
  for (auto [value, bytes] : {std::pair{40u, 4}, {16u, 4}, {32u, 4}, {1u, 2}, {32u, 2}, {0u, 4},
                              {kPixels + kMask, 4}, {0u, 4}, {0u, 4}, {0u, 4}, {0u, 4}})
    put(value, bytes);
  for (int i = 0; i < 16 * 16; ++i) put(0xFF000000u | red << 16 | green << 8 | blue, 4);
  ico.append(kMask, '\0');  // every pixel shown
  return ico;
}

}  // namespace favourites_test
