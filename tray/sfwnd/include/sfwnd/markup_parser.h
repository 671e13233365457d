#pragma once
// The label mark-up: "{#key=value,...}" opens a style, "{/}" closes the most
// recent one, CR LF breaks the line, everything else is text. Keys are
// compared without regard to case after blanks around them are trimmed;
// "font" takes a decimal font number, "color" a COLORREF in hexadecimal
// without prefix; the first occurrence of a key in a tag counts; other keys
// and pieces without "=" are ignored. An opening tag without its "}" ends
// the text there. Each stretch of text takes the merge of all open styles,
// the innermost winning for each attribute.
#include <string>
#include <string_view>
#include <vector>

#include "win/gdi_objects.h"

constexpr int MARKUP_HAS_FONT = 0x02;
constexpr int MARKUP_HAS_COLOR = 0x04;

struct MarkupStyle {
  int flags = 0;
  int font = -1;
  COLORREF color = 0;
};

struct MarkupSegment {
  int flags = 0;
  int font = -1;
  COLORREF color = 0;
  std::u16string text;  // may hold CR LF pairs
};

// The attributes of one opening tag, braces and "#" included or not.
MarkupStyle ParseMarkupTag(std::u16string_view tag);
std::vector<MarkupSegment> ParseMarkup(std::u16string_view text);
