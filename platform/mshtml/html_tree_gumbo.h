#pragma once
// A parsed HTML page: gumbo's tree over the structure-bounded text, its
// elements in document order with the extent of each subtree, the title and
// the declared charset. gumbo allocates from an arena of the tree's own with
// a memory budget; a parse that would exceed it is abandoned as a whole.
// Immutable once built; shared by the document and the elements and
// collections it hands out.
#include <gumbo.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorla {

class ParseArena;

class HtmlTree {
 public:
  // Parses UTF-8 text. Null when the parse needs more memory than the budget
  // (256 MiB plus four times the text) or memory runs out.
  static std::shared_ptr<const HtmlTree> Parse(std::string_view html);
  ~HtmlTree();
  HtmlTree(const HtmlTree&) = delete;
  HtmlTree& operator=(const HtmlTree&) = delete;

  // Elements in document order; element 0 is the html element.
  std::size_t ElementCount() const { return m_elements.size(); }
  const GumboNode* Element(std::size_t index) const { return m_elements[index]; }
  // One past the index of the last element inside element index.
  std::size_t SubtreeEnd(std::size_t index) const { return m_subtreeEnd[index]; }

  // UTF-8 texts.
  const std::string& Title() const { return m_title; }
  const std::string& Charset() const { return m_charset; }

 private:
  HtmlTree();
  void IndexElements();
  void FindTitleAndCharset();

  std::unique_ptr<ParseArena> m_arena;
  std::string m_text;  // the bounded text that gumbo's pieces point into
  GumboOutput* m_output = nullptr;
  std::vector<const GumboNode*> m_elements;
  std::vector<std::uint32_t> m_subtreeEnd;
  std::string m_title;
  std::string m_charset;
};

// Tag name of an element in capitals (UTF-8), as the platform reports it.
std::string UpperTagName(const GumboNode* element);
// Value of an attribute, or null when the element has none of that name.
const char* AttributeValue(const GumboNode* element, const char* name);

}  // namespace quorla
