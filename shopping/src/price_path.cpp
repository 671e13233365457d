#include "price_path.h"

#include "text_pieces.h"

bool ParsePathStep(std::u16string_view text, PathStep& step) {
  std::vector<std::u16string_view> items = SplitAtRuns(TrimBlanks(text), u',');
  if (items.empty()) return false;
  bool haveTag = false, haveId = false, haveClass = false;
  PathStep parsed;
  for (std::u16string_view item : items) {
    std::size_t equals = item.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    std::u16string key = LowerText(TrimBlanks(item.substr(0, equals)));
    std::u16string value(TrimBlanks(item.substr(equals + 1)));
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
  std::vector<std::u16string_view> pieces = SplitAtRuns(rule, u'$');
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
