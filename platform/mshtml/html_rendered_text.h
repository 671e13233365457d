#pragma once
// The text of an element as a browser renders it: runs of white space become
// one space, block elements and br break lines ("\r\n"), cells of a row are
// parted by a tab, white space inside pre and textarea stays, and what is
// never shown (script, style, head, template, noscript and the like) is left
// out. Pure function, any thread.
#include <gumbo.h>

#include <string>

namespace quorla {

// UTF-8 text of element and everything inside it.
std::string RenderedText(const GumboNode* element);

}  // namespace quorla
