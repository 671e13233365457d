#include "sfwnd/markup_parser.h"

#include <algorithm>

#include "win/crt_numbers.h"
#include "win/strings.h"

namespace {

constexpr std::u16string_view kOpenTag = u"{#";
constexpr std::u16string_view kCloseTag = u"{/}";

std::u16string_view TrimBlanks(std::u16string_view s) {
  while (!s.empty() && QuorlaIsSpaceUnit(s.front())) s.remove_prefix(1);
  while (!s.empty() && QuorlaIsSpaceUnit(s.back())) s.remove_suffix(1);
  return s;
}

bool KeyIs(std::u16string_view key, std::u16string_view name) {
  if (key.size() != name.size()) return false;
  for (size_t i = 0; i < key.size(); ++i)
    if (QuorlaLowerUnit(key[i]) != name[i]) return false;
  return true;
}

// The runtime's readers stop at the terminator; values are short.
ULONG ReadHex(std::u16string_view value) {
  const std::u16string copy(value);
  return _wcstoul(copy.c_str(), nullptr, 16);
}

int ReadDecimal(std::u16string_view value) {
  const std::u16string copy(value);
  return _wtoi(copy.c_str());
}

MarkupStyle Merge(const std::vector<MarkupStyle>& open) {
  MarkupStyle merged;
  for (const MarkupStyle& style : open) {
    if (style.flags & MARKUP_HAS_FONT) {
      merged.flags |= MARKUP_HAS_FONT;
      merged.font = style.font;
    }
    if (style.flags & MARKUP_HAS_COLOR) {
      merged.flags |= MARKUP_HAS_COLOR;
      merged.color = style.color;
    }
  }
  return merged;
}

}  // namespace

MarkupStyle ParseMarkupTag(std::u16string_view tag) {
  while (!tag.empty() && (tag.front() == u'{' || tag.front() == u'#')) tag.remove_prefix(1);
  while (!tag.empty() && tag.back() == u'}') tag.remove_suffix(1);

  MarkupStyle style;
  while (true) {
    const size_t comma = tag.find(u',');
    const std::u16string_view piece = tag.substr(0, comma);
    const size_t equals = piece.find(u'=');
    if (equals != std::u16string_view::npos) {
      const std::u16string_view key = TrimBlanks(piece.substr(0, equals));
      const std::u16string_view value = piece.substr(equals + 1);
      if (KeyIs(key, u"font") && !(style.flags & MARKUP_HAS_FONT)) {
        style.flags |= MARKUP_HAS_FONT;
        style.font = ReadDecimal(value);
      } else if (KeyIs(key, u"color") && !(style.flags & MARKUP_HAS_COLOR)) {
        style.flags |= MARKUP_HAS_COLOR;
        style.color = ReadHex(value);
      }
    }
    if (comma == std::u16string_view::npos) break;
    tag.remove_prefix(comma + 1);
  }
  return style;
}

std::vector<MarkupSegment> ParseMarkup(std::u16string_view text) {
  std::vector<MarkupSegment> segments;
  std::vector<MarkupStyle> open;
  while (!text.empty()) {
    if (text.starts_with(kOpenTag)) {
      const size_t end = text.find(u'}');
      if (end == std::u16string_view::npos) break;  // an unfinished tag drops the rest
      open.push_back(ParseMarkupTag(text.substr(0, end + 1)));
      text.remove_prefix(end + 1);
    } else if (text.starts_with(kCloseTag)) {
      if (!open.empty()) open.pop_back();
      text.remove_prefix(kCloseTag.size());
    } else {
      const size_t end = std::min({text.find(kOpenTag), text.find(kCloseTag), text.size()});
      const MarkupStyle style = Merge(open);
      MarkupSegment segment;
      segment.flags = style.flags;
      segment.font = style.font;
      segment.color = style.color;
      segment.text = std::u16string(text.substr(0, end));
      segments.push_back(std::move(segment));
      text.remove_prefix(end);
    }
  }
  return segments;
}
