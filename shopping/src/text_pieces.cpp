#include "text_pieces.h"

#include "win/crt_numbers.h"
#include "win/strings.h"

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && QuorlaIsSpaceUnit(text.front())) text.remove_prefix(1);
  while (!text.empty() && QuorlaIsSpaceUnit(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::u16string_view> SplitAtRuns(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> pieces;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::u16string LowerText(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = QuorlaLowerUnit(c);
  return out;
}
