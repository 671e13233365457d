#pragma once
// The layer's HTML document objects over a parsed tree. Each function gives
// a new object with one reference for the caller, or null when memory runs
// out.
#include <cstdint>
#include <memory>
#include <vector>

#include "html_tree_gumbo.h"
#include "win/mshtml.h"

namespace quorla {

// An empty document (CLSID_HTMLDocument), asked for iid.
HRESULT CreateHtmlDocument(REFIID iid, void** out);

IHTMLElement* NewHtmlElement(std::shared_ptr<const HtmlTree> tree, std::size_t index);
// The elements of the tree with indices [begin, end).
IHTMLElementCollection* NewHtmlElementRange(std::shared_ptr<const HtmlTree> tree, std::size_t begin,
                                            std::size_t end);
// The elements of the tree at the given indices.
IHTMLElementCollection* NewHtmlElementList(std::shared_ptr<const HtmlTree> tree, std::vector<std::uint32_t> indices);

// A new BSTR of UTF-8 text; E_OUTOFMEMORY when it cannot be made.
HRESULT Utf8ToBstr(std::string_view text, BSTR* out);

}  // namespace quorla
