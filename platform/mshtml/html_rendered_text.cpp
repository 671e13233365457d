#include "html_rendered_text.h"

#include <vector>

namespace quorla {
namespace {

bool IsHidden(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_HEAD: case GUMBO_TAG_TITLE: case GUMBO_TAG_META: case GUMBO_TAG_LINK:
    case GUMBO_TAG_BASE: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_NOSCRIPT: case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES: case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_PARAM: case GUMBO_TAG_SOURCE: case GUMBO_TAG_TRACK: case GUMBO_TAG_AREA:
    case GUMBO_TAG_DATALIST:
      return true;
    default:
      return false;
  }
}

bool IsBlock(GumboTag t) {
  if (t >= GUMBO_TAG_H1 && t <= GUMBO_TAG_H6) return true;
  switch (t) {
    case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE: case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_BODY: case GUMBO_TAG_CAPTION: case GUMBO_TAG_CENTER: case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR: case GUMBO_TAG_DIV: case GUMBO_TAG_DL: case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE: case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FORM: case GUMBO_TAG_HEADER: case GUMBO_TAG_HGROUP: case GUMBO_TAG_HR:
    case GUMBO_TAG_HTML: case GUMBO_TAG_LEGEND: case GUMBO_TAG_LI: case GUMBO_TAG_LISTING:
    case GUMBO_TAG_MAIN: case GUMBO_TAG_MENU: case GUMBO_TAG_NAV: case GUMBO_TAG_OL: case GUMBO_TAG_P:
    case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_PRE: case GUMBO_TAG_SECTION: case GUMBO_TAG_SUMMARY:
    case GUMBO_TAG_TABLE: case GUMBO_TAG_TBODY: case GUMBO_TAG_TFOOT: case GUMBO_TAG_THEAD:
    case GUMBO_TAG_TR: case GUMBO_TAG_UL: case GUMBO_TAG_XMP:
      return true;
    default:
      return false;
  }
}

bool KeepsWhiteSpace(GumboTag t) {
  return t == GUMBO_TAG_PRE || t == GUMBO_TAG_TEXTAREA || t == GUMBO_TAG_LISTING || t == GUMBO_TAG_XMP ||
         t == GUMBO_TAG_PLAINTEXT;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Collects text and the breaks between it; breaks and spaces wait until
// more text follows, so none lead or trail.
class TextCollector {
 public:
  void Text(const char* text, bool keepWhiteSpace) {
    for (const char* p = text; *p; ++p) {
      char c = *p;
      if (!keepWhiteSpace && IsSpace(c)) {
        m_space = true;
        continue;
      }
      if (keepWhiteSpace && c == '\r') continue;  // "\r\n" comes out of '\n'
      Flush();
      if (keepWhiteSpace && c == '\n') {
        m_out += "\r\n";
        continue;
      }
      m_out += c;
    }
  }
  void BlockBoundary() {
    if (m_breaks == 0) m_breaks = 1;
    m_tab = false;
  }
  void LineBreak() {
    ++m_breaks;
    m_tab = false;
  }
  void CellBoundary() { m_tab = true; }

  std::string Take() { return std::move(m_out); }

 private:
  void Flush() {
    if (!m_out.empty()) {
      if (m_breaks > 0) {
        for (int i = 0; i < m_breaks; ++i) m_out += "\r\n";
      } else if (m_tab) {
        m_out += '\t';
      } else if (m_space) {
        m_out += ' ';
      }
    }
    m_breaks = 0;
    m_tab = false;
    m_space = false;
  }

  std::string m_out;
  int m_breaks = 0;
  bool m_tab = false;
  bool m_space = false;
};

}  // namespace

std::string RenderedText(const GumboNode* element) {
  TextCollector text;
  struct Frame {
    const GumboNode* node;
    unsigned child;
    bool keepWhiteSpace;
  };
  std::vector<Frame> stack;
  auto enter = [&](const GumboNode* node, bool keep) {
    GumboTag t = node->v.element.tag;
    if (t == GUMBO_TAG_BR) {
      text.LineBreak();
      return;
    }
    if (IsBlock(t)) text.BlockBoundary();
    if ((t == GUMBO_TAG_TD || t == GUMBO_TAG_TH) && node->index_within_parent > 0) text.CellBoundary();
    stack.push_back({node, 0, keep || KeepsWhiteSpace(t)});
  };
  if (element->type != GUMBO_NODE_ELEMENT || IsHidden(element->v.element.tag)) return {};
  enter(element, false);
  while (!stack.empty()) {
    Frame& top = stack.back();
    const GumboVector& children = top.node->v.element.children;
    if (top.child >= children.length) {
      if (IsBlock(top.node->v.element.tag)) text.BlockBoundary();
      stack.pop_back();
      continue;
    }
    const GumboNode* child = static_cast<const GumboNode*>(children.data[top.child++]);
    switch (child->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        text.Text(child->v.text.text, top.keepWhiteSpace);
        break;
      case GUMBO_NODE_ELEMENT:
        if (!IsHidden(child->v.element.tag)) enter(child, top.keepWhiteSpace);
        break;
      default:
        break;  // comments, template content
    }
  }
  return text.Take();
}

}  // namespace quorla
