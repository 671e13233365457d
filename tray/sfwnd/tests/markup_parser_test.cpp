#include "sfwnd/markup_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
  int flags;
  int font;
  COLORREF color;
  std::u16string text;
};

struct MarkupCase {
  const char* name;
  std::u16string markup;
  std::vector<Expected> segments;
};

constexpr int F = MARKUP_HAS_FONT;
constexpr int C = MARKUP_HAS_COLOR;

const std::vector<MarkupCase> kCases = {
    {"three segments share the outer font", u"{#font=6}A{#color=ff}B{/}C",
     {{F, 6, 0, u"A"}, {F | C, 6, 0xFF, u"B"}, {F, 6, 0, u"C"}}},
    {"colour then font", u"{#color=ff,font=2}X", {{F | C, 2, 0xFF, u"X"}}},
    {"key in capitals, blank before the comma", u"{#FONT=2 ,color=ff}X", {{F | C, 2, 0xFF, u"X"}}},
    {"blanks around keys are trimmed", u"{#  Color \t=ff,  fOnT =2}X", {{F | C, 2, 0xFF, u"X"}}},
    {"a lone brace is text", u"a{b", {{0, -1, 0, u"a{b"}}},
    {"a brace at the start is text", u"{x}y", {{0, -1, 0, u"{x}y"}}},
    {"brace and slash without the closing brace is text", u"a{/b", {{0, -1, 0, u"a{/b"}}},
    {"an unclosed tag drops the rest", u"A{#font=2", {{0, -1, 0, u"A"}}},
    {"an unclosed tag after a closed one", u"A{#font=2}B{#color=ff C", {{0, -1, 0, u"A"}, {F, 2, 0, u"B"}}},
    {"an opening tag runs to the brace of a closing tag", u"A{#font=2}B{#color=ff C{/}D",
     {{0, -1, 0, u"A"}, {F, 2, 0, u"B"}, {F | C, 2, 0xFF, u"D"}}},
    {"font out of range is kept as read", u"{#font=9}X", {{F, 9, 0, u"X"}}},
    {"colour is hexadecimal", u"{#color=65280}X", {{C, -1, RGB(128, 82, 6), u"X"}}},
    {"first font wins", u"{#font=3,font=5}X", {{F, 3, 0, u"X"}}},
    {"first colour wins", u"{#color=ff,color=ff00}X", {{C, -1, 0xFF, u"X"}}},
    {"first colour wins across case", u"{#COLOR=ff00,color=ff}X", {{C, -1, 0xFF00, u"X"}}},
    {"closing tag with nothing open", u"{/}A{/}{/}B", {{0, -1, 0, u"A"}, {0, -1, 0, u"B"}}},
    {"nested fonts unwind", u"{#font=6}A{#font=2}B{/}C{/}D",
     {{F, 6, 0, u"A"}, {F, 2, 0, u"B"}, {F, 6, 0, u"C"}, {0, -1, 0, u"D"}}},
    {"innermost wins per attribute", u"{#color=ff}{#font=4}X{/}{#color=ff00}Y",
     {{F | C, 4, 0xFF, u"X"}, {C, -1, 0xFF00, u"Y"}}},
    {"colour with no hexadecimal digits", u"{#color=zz}X", {{C, -1, 0, u"X"}}},
    {"colour read up to its first non-digit", u"{#color=12g4}X", {{C, -1, 0x12, u"X"}}},
    {"font with trailing text", u"{#font=4px}X", {{F, 4, 0, u"X"}}},
    {"pieces without equals and other keys are ignored", u"{#bold,size=3,font=4}X", {{F, 4, 0, u"X"}}},
    {"unknown keys only", u"{#size=3}X", {{0, -1, 0, u"X"}}},
    {"empty tag", u"{#}X", {{0, -1, 0, u"X"}}},
    {"extra hashes are stripped", u"{##font=2}X", {{F, 2, 0, u"X"}}},
    {"the tag ends at its first closing brace", u"{#font=2}}X", {{F, 2, 0, u"}X"}}},
    {"line breaks stay inside the text", u"A\r\nB", {{0, -1, 0, u"A\r\nB"}}},
    {"empty text", u"", {}},
    {"tags only", u"{#font=2}{/}", {}},
    {"the watch-date sentence", u"您于 {#color=ff}2024-5-1{/} 号关注\r\n的商品",
     {{0, -1, 0, u"您于 "}, {C, -1, 0xFF, u"2024-5-1"}, {0, -1, 0, u" 号关注\r\n的商品"}}},
};

TEST(MarkupParserTest, CasesTable) {
  for (const MarkupCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::vector<MarkupSegment> segments = ParseMarkup(c.markup);
    ASSERT_EQ(segments.size(), c.segments.size());
    for (size_t i = 0; i < segments.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(segments[i].flags, c.segments[i].flags);
      EXPECT_EQ(segments[i].font, c.segments[i].font);
      EXPECT_EQ(segments[i].color, c.segments[i].color);
      EXPECT_TRUE(segments[i].text == c.segments[i].text);
    }
  }
}

TEST(MarkupParserTest, TagWithoutBracesParsesTheSame) {
  const MarkupStyle bare = ParseMarkupTag(u"color=ff, font = 4");
  const MarkupStyle braced = ParseMarkupTag(u"{#color=ff, font = 4}");
  EXPECT_EQ(bare.flags, MARKUP_HAS_FONT | MARKUP_HAS_COLOR);
  EXPECT_EQ(bare.font, 4);
  EXPECT_EQ(bare.color, 0xFFu);
  EXPECT_EQ(braced.flags, bare.flags);
  EXPECT_EQ(braced.font, bare.font);
  EXPECT_EQ(braced.color, bare.color);
}

}  // namespace
