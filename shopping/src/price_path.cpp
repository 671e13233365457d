#include "price_path.h"

#include "win/crt_numbers.h"
#include "win/strings.h"

namespace {

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && QuorlaIsSpaceUnit(text.front())) text.remove_prefix(1);
  while (!text.empty() && QuorlaIsSpaceUnit(text.back())) text.remove_suffix(1);
  return text;
}

// The non-empty pieces of text between runs of separator.
std::vector<std::u16string_view> Pieces(std::u16string_view text, char16_t separator) {
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

std::u16string Lower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = QuorlaLowerUnit(c);
  return out;
}

}  // namespace

bool ParsePathStep(std::u16string_view text, PathStep& step) {
  std::vector<std::u16string_view> items = Pieces(Trim(text), u',');
  if (items.empty()) return false;
  bool haveTag = false, haveId = false, haveClass = false;
  PathStep parsed;
  for (std::u16string_view item : items) {
    std::size_t equals = item.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    std::u16string key = Lower(Trim(item.substr(0, equals)));
    std::u16string value(Trim(item.substr(equals + 1)));
    if (key == u"tag" && !haveTag) parsed.tag = value, haveTag = true;
    else if (key == u"id" && !haveId) parsed.id = value, haveId = true;
    else if (key == u"class_name" && !haveClass) parsed.className = value, haveClass = true;
  }
  if (parsed.tag.empty()) return false;
  step = std::move(parsed);
  return true;
}

bool SplitPricePath(const char16_t* rule, std::vector<PathStep>& steps) {
  steps.clear();
  if (!rule) return false;
  std::vector<std::u16string_view> pieces = Pieces(rule, u'$');
  if (pieces.empty()) return false;
  for (std::u16string_view piece : pieces) {
    PathStep step;
    if (!ParsePathStep(piece, step)) {
      steps.clear();
      break;
    }
    steps.push_back(std::move(step));
  }
  return true;
}
