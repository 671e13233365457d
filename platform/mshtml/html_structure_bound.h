#pragma once
// Bounds the structure of an HTML text before the HTML parser sees it. The
// parser's time grows with the square of the nesting depth and its memory
// with the count of elements and attributes, so a hostile or broken page
// could stall or exhaust the process. This pass tokenises the text, keeps a
// model of the open elements (with the implied end tags of HTML's tree
// building), and writes a text in which:
//  - every '<' starts a tag written by this pass (stray '<' in text, in
//    attribute values and in raw text such as script become "&lt;"), so the
//    parser meets no tag this pass did not count;
//  - every element this pass closes, explicitly or by an implied end tag, is
//    closed by an explicit end tag, so the parser's open elements follow the
//    model;
//  - start tags deeper than maxDepth or beyond maxElements are dropped with
//    the content of raw-text elements, while other text stays;
//  - a tag keeps at most maxAttributes distinct attributes;
//  - comments, processing instructions and stray end tags are left out.
// Well-formed pages come out with the same elements and text. Pure function,
// any thread.
#include <cstddef>
#include <string>
#include <string_view>

namespace quorla {

struct HtmlStructureLimits {
  std::size_t maxDepth = 1000;
  std::size_t maxElements = 200000;
  std::size_t maxAttributes = 100;
};

// html is UTF-8; so is the result.
std::string BoundHtmlStructure(std::string_view html, const HtmlStructureLimits& limits = {});

}  // namespace quorla
