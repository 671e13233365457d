#include "favourites_test_support.h"

#include <cstdint>

#include "shopping/text_conversions.h"

namespace favourites_test {
namespace {

void Put16(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, static_cast<uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

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
  constexpr int kSide = 16;
  constexpr uint32_t kPixels = kSide * kSide * 4;
  constexpr uint32_t kMask = kSide * 4;  // one bit a pixel, rows of 4 bytes
  constexpr uint32_t kImage = 40 + kPixels + kMask;
  std::string ico;
  Put16(ico, 0);  // reserved
  Put16(ico, 1);  // an icon
  Put16(ico, 1);  // one image
  ico += static_cast<char>(kSide);
  ico += static_cast<char>(kSide);
  ico += '\0';  // no palette
  ico += '\0';
  Put16(ico, 1);   // planes
  Put16(ico, 32);  // bits
  Put32(ico, kImage);
  Put32(ico, 6 + 16);
  // The image: a bitmap header of twice the height (colour and mask).
  Put32(ico, 40);
  Put32(ico, kSide);
  Put32(ico, kSide * 2);
  Put16(ico, 1);
  Put16(ico, 32);
  Put32(ico, 0);
  Put32(ico, kPixels + kMask);
  Put32(ico, 0);
  Put32(ico, 0);
  Put32(ico, 0);
  Put32(ico, 0);
  for (int i = 0; i < kSide * kSide; ++i) {
    ico += static_cast<char>(blue);
    ico += static_cast<char>(green);
    ico += static_cast<char>(red);
    ico += static_cast<char>(0xFF);
  }
  ico.append(kMask, '\0');  // every pixel shown
  return ico;
}

}  // namespace favourites_test
