// The promotion document and the promotion data pairs over arbitrary
// bytes, read as the promotion lookup reads a reply (the ANSI code page, cut
// at the first "{") and as UTF-8.
#include <cstdint>
#include <string>

#include "promotion_data.h"
#include "promotion_json.h"
#include "shopping/text_conversions.h"
#include "text_pieces.h"

namespace {

void Check(const std::u16string& text) {
  PromotionData data = ReadPromotionData(text);
  for (const auto& [key, value] : data) {
    if (key != LowerText(key)) __builtin_trap();  // keys are kept in small letters
  }
  std::u16string url = PromoteUrlOf(data);
  if (!url.empty() && (url.front() == u'"' || url.back() == u'"')) __builtin_trap();

  std::size_t brace = text.find(u'{');
  ReducePriceItem item;
  InitReducePriceItem(&item);
  item.BasePrice = 1.0;
  bool gave = false;
  ParsePromotionJson(brace == std::u16string::npos ? text.c_str() : text.c_str() + brace, &item, &gave);
  if (item.BasePrice != 1.0 || item.Url[0] != 0) __builtin_trap();  // only the price may change
  if (gave && item.CurrentPrice != item.CurrentPrice) __builtin_trap();  // never NaN
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);  // terminated, cut at a zero byte by the readers
  Check(AcpToWide(bytes.c_str()));
  Check(Utf8ToWide(bytes.c_str()));
  return 0;
}
