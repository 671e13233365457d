#include "price_text.h"

#include <string>

#include "win/crt_numbers.h"

namespace {

const char16_t kPriceCharacters[] = u"1234567890.";

bool IsPriceCharacter(char16_t c) { return std::u16string_view(kPriceCharacters).find(c) != std::u16string_view::npos; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool ParsePriceText(std::u16string_view text, double* price) {
  if (!price) return false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsPriceCharacter(text[i])) {
      ++i;
      continue;
    }
    // A run of price characters, thousands separators dropped.
    std::u16string run;
    bool hasDigit = false;
    for (; i < text.size(); ++i) {
      char16_t c = text[i];
      if (IsPriceCharacter(c)) {
        run += c;
        hasDigit = hasDigit || IsDigit(c);
      } else if (c == u',' && i > 0 && IsDigit(text[i - 1]) && i + 1 < text.size() && IsDigit(text[i + 1])) {
        continue;
      } else {
        break;
      }
    }
    if (hasDigit) {
      *price = _wtof(run.c_str());
      return true;
    }
  }
  return false;
}

bool ReadLeadingDecimal(const std::u16string& text, double* value) {
  LPWSTR end = nullptr;
  double read = _wcstod(text.c_str(), &end);
  if (value) *value = read;
  return end && end != text.c_str();
}
