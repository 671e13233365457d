#include "html_structure_bound.h"

#include <gumbo.h>

#include <vector>

namespace quorla {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool IsVoid(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_AREA: case GUMBO_TAG_BASE: case GUMBO_TAG_BASEFONT: case GUMBO_TAG_BGSOUND:
    case GUMBO_TAG_BR: case GUMBO_TAG_COL: case GUMBO_TAG_EMBED: case GUMBO_TAG_FRAME:
    case GUMBO_TAG_HR: case GUMBO_TAG_IMAGE: case GUMBO_TAG_IMG: case GUMBO_TAG_INPUT:
    case GUMBO_TAG_KEYGEN: case GUMBO_TAG_LINK: case GUMBO_TAG_META: case GUMBO_TAG_PARAM:
    case GUMBO_TAG_SOURCE: case GUMBO_TAG_TRACK: case GUMBO_TAG_WBR:
      return true;
    default:
      return false;
  }
}

// Elements whose content the tokenizer reads as text up to their end tag.
bool IsRawText(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_XMP: case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES: case GUMBO_TAG_TEXTAREA: case GUMBO_TAG_TITLE:
      return true;
    default:
      return false;
  }
}

bool IsHeading(GumboTag t) { return t >= GUMBO_TAG_H1 && t <= GUMBO_TAG_H6; }

bool ClosesParagraph(GumboTag t) {
  if (IsHeading(t)) return true;
  switch (t) {
    case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE: case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_CENTER: case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR: case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL: case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER: case GUMBO_TAG_FORM: case GUMBO_TAG_HEADER: case GUMBO_TAG_HGROUP:
    case GUMBO_TAG_HR: case GUMBO_TAG_MAIN: case GUMBO_TAG_MENU: case GUMBO_TAG_NAV:
    case GUMBO_TAG_OL: case GUMBO_TAG_P: case GUMBO_TAG_PRE: case GUMBO_TAG_SECTION:
    case GUMBO_TAG_SUMMARY: case GUMBO_TAG_UL: case GUMBO_TAG_LISTING: case GUMBO_TAG_LI:
    case GUMBO_TAG_DD: case GUMBO_TAG_DT: case GUMBO_TAG_TABLE: case GUMBO_TAG_XMP:
    case GUMBO_TAG_PLAINTEXT:
      return true;
    default:
      return false;
  }
}

// Elements that end the search for an open element to close: the markers of
// HTML's tree building, past which an end tag does not reach.
bool IsMarker(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_APPLET: case GUMBO_TAG_CAPTION: case GUMBO_TAG_HTML: case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TD: case GUMBO_TAG_TH: case GUMBO_TAG_MARQUEE: case GUMBO_TAG_OBJECT:
    case GUMBO_TAG_TEMPLATE:
      return true;
    default:
      return false;
  }
}

bool IsTableBoundary(GumboTag t) { return t == GUMBO_TAG_TABLE || t == GUMBO_TAG_HTML || t == GUMBO_TAG_TEMPLATE; }

bool IsTablePart(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_TBODY: case GUMBO_TAG_THEAD: case GUMBO_TAG_TFOOT: case GUMBO_TAG_TR:
    case GUMBO_TAG_TD: case GUMBO_TAG_TH: case GUMBO_TAG_CAPTION: case GUMBO_TAG_COLGROUP:
      return true;
    default:
      return false;
  }
}

bool IsRowGroup(GumboTag t) { return t == GUMBO_TAG_TBODY || t == GUMBO_TAG_THEAD || t == GUMBO_TAG_TFOOT; }

// HTML's "special" elements, whose end a stray end tag cannot reach past.
bool IsSpecial(GumboTag t) {
  if (IsHeading(t) || IsVoid(t) || IsRawText(t) || IsMarker(t) || IsTablePart(t)) return true;
  switch (t) {
    case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE: case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_BODY: case GUMBO_TAG_BUTTON: case GUMBO_TAG_CENTER: case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR: case GUMBO_TAG_DIV: case GUMBO_TAG_DL: case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE: case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FORM: case GUMBO_TAG_FRAMESET: case GUMBO_TAG_HEAD: case GUMBO_TAG_HEADER:
    case GUMBO_TAG_HGROUP: case GUMBO_TAG_LI: case GUMBO_TAG_LISTING: case GUMBO_TAG_MAIN:
    case GUMBO_TAG_MENU: case GUMBO_TAG_NAV: case GUMBO_TAG_NOSCRIPT: case GUMBO_TAG_OL: case GUMBO_TAG_P:
    case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_PRE: case GUMBO_TAG_SECTION: case GUMBO_TAG_SELECT:
    case GUMBO_TAG_SUMMARY: case GUMBO_TAG_UL: case GUMBO_TAG_MI: case GUMBO_TAG_MO: case GUMBO_TAG_MN:
    case GUMBO_TAG_MS: case GUMBO_TAG_MTEXT: case GUMBO_TAG_FOREIGNOBJECT: case GUMBO_TAG_DESC:
      return true;
    default:
      return false;
  }
}

// The elements past which a list item does not close an earlier one.
bool StopsListItemSearch(GumboTag t) {
  return IsSpecial(t) && t != GUMBO_TAG_ADDRESS && t != GUMBO_TAG_DIV && t != GUMBO_TAG_P;
}

struct Attribute {
  std::string_view name;
  std::string_view value;
};

struct Tag {
  bool end = false;
  bool selfClosing = false;
  GumboTag tag = GUMBO_TAG_UNKNOWN;
  std::string name;  // in small letters
  std::vector<Attribute> attributes;
};

struct OpenElement {
  GumboTag tag;
  std::string name;
  bool foreign;
};

class StructureBounder {
 public:
  StructureBounder(std::string_view in, const HtmlStructureLimits& limits) : m_in(in), m_limits(limits) {
    m_out.reserve(in.size() + in.size() / 8);
  }

  std::string Run() {
    std::size_t pos = 0;
    const std::size_t n = m_in.size();
    while (pos < n) {
      std::size_t lt = m_in.find('<', pos);
      if (lt == npos) lt = n;
      m_out.append(m_in.data() + pos, lt - pos);
      if (lt >= n) break;
      pos = HandleMarkup(lt);
    }
    return std::move(m_out);
  }

 private:
  // Handles what starts with the '<' at lt; returns where to go on.
  std::size_t HandleMarkup(std::size_t lt) {
    const std::size_t n = m_in.size();
    char next = lt + 1 < n ? m_in[lt + 1] : '\0';
    if (IsAsciiLetter(next)) return HandleTag(lt, false);
    if (next == '/') {
      char after = lt + 2 < n ? m_in[lt + 2] : '\0';
      if (IsAsciiLetter(after)) return HandleTag(lt, true);
      if (after == '>') return lt + 3;
      if (lt + 2 >= n) {
        m_out += "&lt;/";
        return n;
      }
      return SkipPast(lt + 2, '>');
    }
    if (next == '!') {
      if (m_in.compare(lt, 4, "<!--") == 0) return SkipComment(lt + 4);
      if (lt + 9 <= n && EqualIgnoringCase(m_in.substr(lt, 9), "<!doctype")) return HandleDoctype(lt);
      return SkipPast(lt + 2, '>');
    }
    if (next == '?') return SkipPast(lt + 2, '>');
    m_out += "&lt;";
    return lt + 1;
  }

  std::size_t SkipPast(std::size_t from, char c) {
    std::size_t at = m_in.find(c, from);
    return at == npos ? m_in.size() : at + 1;
  }

  std::size_t SkipComment(std::size_t body) {
    if (m_in.compare(body, 1, ">") == 0) return body + 1;
    if (m_in.compare(body, 2, "->") == 0) return body + 2;
    for (std::size_t at = m_in.find("--", body); at != npos; at = m_in.find("--", at + 1)) {
      if (m_in.compare(at + 2, 1, ">") == 0) return at + 3;
      if (m_in.compare(at + 2, 2, "!>") == 0) return at + 4;
    }
    return m_in.size();
  }

  std::size_t HandleDoctype(std::size_t lt) {
    std::size_t gt = m_in.find('>', lt);
    if (gt == npos) return m_in.size();
    if (!m_seenTag) {
      m_out += '<';
      for (std::size_t i = lt + 1; i <= gt; ++i) {
        if (m_in[i] != '<' && m_in[i] != '\0') m_out += m_in[i];
      }
    }
    m_seenTag = true;
    return gt + 1;
  }

  // Reads the tag at lt into tag; returns the position after it, or npos when
  // the text ends inside the tag (the tokenizer then drops it).
  std::size_t ReadTag(std::size_t lt, bool end, Tag& tag) const {
    const std::size_t n = m_in.size();
    std::size_t p = lt + (end ? 2 : 1);
    std::size_t nameStart = p;
    while (p < n && !IsSpace(m_in[p]) && m_in[p] != '/' && m_in[p] != '>') ++p;
    tag.end = end;
    tag.name.assign(m_in.data() + nameStart, p - nameStart);
    for (char& c : tag.name) c = Lower(c);
    tag.tag = gumbo_tagn_enum(tag.name.data(), static_cast<unsigned>(tag.name.size()));
    tag.attributes.clear();
    tag.selfClosing = false;
    for (;;) {
      while (p < n && (IsSpace(m_in[p]) || (m_in[p] == '/' && !(p + 1 < n && m_in[p + 1] == '>')))) ++p;
      if (p >= n) return npos;
      if (m_in[p] == '>') return p + 1;
      if (m_in[p] == '/') {
        tag.selfClosing = true;
        return p + 2;
      }
      std::size_t a = p++;
      while (p < n && !IsSpace(m_in[p]) && m_in[p] != '/' && m_in[p] != '>' && m_in[p] != '=') ++p;
      Attribute attribute{m_in.substr(a, p - a), {}};
      while (p < n && IsSpace(m_in[p])) ++p;
      if (p < n && m_in[p] == '=') {
        ++p;
        while (p < n && IsSpace(m_in[p])) ++p;
        if (p >= n) return npos;
        if (m_in[p] == '"' || m_in[p] == '\'') {
          std::size_t close = m_in.find(m_in[p], p + 1);
          if (close == npos) return npos;
          attribute.value = m_in.substr(p + 1, close - p - 1);
          p = close + 1;
        } else if (m_in[p] != '>') {
          std::size_t v = p;
          while (p < n && !IsSpace(m_in[p]) && m_in[p] != '>') ++p;
          attribute.value = m_in.substr(v, p - v);
        }
      }
      KeepAttribute(tag, attribute);
    }
  }

  void KeepAttribute(Tag& tag, const Attribute& attribute) const {
    if (tag.attributes.size() >= m_limits.maxAttributes) return;
    for (char c : attribute.name) {
      if (c == '"' || c == '\'' || c == '<' || c == '=' || c == '\0') return;
    }
    for (const Attribute& kept : tag.attributes) {
      if (EqualIgnoringCase(kept.name, attribute.name)) return;  // the first one counts
    }
    tag.attributes.push_back(attribute);
  }

  std::size_t HandleTag(std::size_t lt, bool end) {
    std::size_t after = ReadTag(lt, end, m_tag);
    if (after == npos) return m_in.size();
    if (m_tag.name.find_first_of(std::string_view("<\0", 2)) != std::string::npos) return after;
    m_seenTag = true;
    if (end) {
      HandleEndTag(m_tag);
      return after;
    }
    return HandleStartTag(m_tag, after);
  }

  bool InForeignContent() const { return m_foreignOpen > 0; }

  static bool Matches(const OpenElement& open, const Tag& tag) {
    return open.tag == tag.tag && (tag.tag != GUMBO_TAG_UNKNOWN || open.name == tag.name);
  }

  // Index of the nearest open element of the given kind, searching down from
  // the current node and stopping at a boundary; npos when there is none.
  template <class IsWanted, class IsBoundary>
  std::size_t FindOpen(IsWanted wanted, IsBoundary boundary) const {
    for (std::size_t i = m_open.size(); i-- > 0;) {
      if (wanted(m_open[i])) return i;
      if (boundary(m_open[i].tag)) return npos;
    }
    return npos;
  }

  std::size_t FindInScope(GumboTag t) const {
    return FindOpen([t](const OpenElement& e) { return e.tag == t; },
                    [](GumboTag b) { return IsMarker(b) || b == GUMBO_TAG_BUTTON; });
  }

  // Closes the element at index and everything opened after it, each with an
  // explicit end tag.
  void CloseThrough(std::size_t index) {
    while (m_open.size() > index) {
      const OpenElement& e = m_open.back();
      m_out += "</";
      m_out += e.name;
      m_out += '>';
      if (e.tag == GUMBO_TAG_SVG || e.tag == GUMBO_TAG_MATH) --m_foreignOpen;
      m_open.pop_back();
    }
  }

  void CloseIfFound(std::size_t index) {
    if (index != npos) CloseThrough(index);
  }

  // The end tags that HTML's tree building implies before a start tag.
  // Returns false when the start tag itself is to be dropped.
  bool CloseImplied(GumboTag t) {
    if (ClosesParagraph(t)) CloseIfFound(FindInScope(GUMBO_TAG_P));
    if (IsHeading(t) && !m_open.empty() && IsHeading(m_open.back().tag)) CloseThrough(m_open.size() - 1);
    switch (t) {
      case GUMBO_TAG_LI:
        CloseIfFound(FindOpen([](const OpenElement& e) { return e.tag == GUMBO_TAG_LI; }, StopsListItemSearch));
        break;
      case GUMBO_TAG_DD:
      case GUMBO_TAG_DT:
        CloseIfFound(FindOpen([](const OpenElement& e) { return e.tag == GUMBO_TAG_DD || e.tag == GUMBO_TAG_DT; },
                              StopsListItemSearch));
        break;
      case GUMBO_TAG_OPTION:
      case GUMBO_TAG_OPTGROUP:
        if (!m_open.empty() && m_open.back().tag == GUMBO_TAG_OPTION) CloseThrough(m_open.size() - 1);
        if (t == GUMBO_TAG_OPTGROUP && !m_open.empty() && m_open.back().tag == GUMBO_TAG_OPTGROUP)
          CloseThrough(m_open.size() - 1);
        break;
      case GUMBO_TAG_TR:
        CloseIfFound(FindOpen([](const OpenElement& e) { return e.tag == GUMBO_TAG_TR; }, IsTableBoundary));
        break;
      case GUMBO_TAG_TD:
      case GUMBO_TAG_TH:
        CloseIfFound(FindOpen([](const OpenElement& e) { return e.tag == GUMBO_TAG_TD || e.tag == GUMBO_TAG_TH; },
                              [](GumboTag b) { return IsTableBoundary(b) || b == GUMBO_TAG_TR; }));
        break;
      case GUMBO_TAG_TBODY:
      case GUMBO_TAG_THEAD:
      case GUMBO_TAG_TFOOT:
        CloseIfFound(FindOpen([](const OpenElement& e) { return IsRowGroup(e.tag); }, IsTableBoundary));
        break;
      case GUMBO_TAG_TABLE:
        if (!m_open.empty() && (m_open.back().tag == GUMBO_TAG_TABLE || IsRowGroup(m_open.back().tag) ||
                                m_open.back().tag == GUMBO_TAG_TR))
          CloseIfFound(FindOpen([](const OpenElement& e) { return e.tag == GUMBO_TAG_TABLE; },
                                [](GumboTag b) { return b == GUMBO_TAG_HTML || b == GUMBO_TAG_TEMPLATE; }));
        break;
      case GUMBO_TAG_A:
        CloseIfFound(FindOpen([](const OpenElement& e) { return e.tag == GUMBO_TAG_A; }, IsMarker));
        break;
      case GUMBO_TAG_BUTTON:
      case GUMBO_TAG_NOBR:
        CloseIfFound(FindInScope(t));
        break;
      case GUMBO_TAG_FORM:
        for (const OpenElement& e : m_open) {
          if (e.tag == GUMBO_TAG_FORM) return false;  // a form inside a form is ignored
        }
        break;
      case GUMBO_TAG_SELECT: {
        std::size_t select = FindInScope(GUMBO_TAG_SELECT);
        if (select != npos) {
          CloseThrough(select);  // a select inside a select ends the outer one
          return false;
        }
        break;
      }
      case GUMBO_TAG_INPUT:
      case GUMBO_TAG_KEYGEN:
      case GUMBO_TAG_TEXTAREA:
        CloseIfFound(FindInScope(GUMBO_TAG_SELECT));
        break;
      default:
        break;
    }
    return true;
  }

  void WriteStartTag(const Tag& tag, bool selfClosing) {
    m_out += '<';
    m_out += tag.name;
    for (const Attribute& a : tag.attributes) {
      m_out += ' ';
      for (char c : a.name) m_out += Lower(c);
      m_out += "=\"";
      for (char c : a.value) {
        if (c == '"') m_out += "&quot;";
        else if (c == '<') m_out += "&lt;";
        else m_out += c;
      }
      m_out += '"';
    }
    if (selfClosing) m_out += " /";
    m_out += '>';
    ++m_elements;
  }

  // Writes text that must not hold a tag, with every '<' escaped.
  void WriteEscaped(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
      std::size_t lt = text.find('<', pos);
      if (lt == npos) lt = text.size();
      m_out.append(text.data() + pos, lt - pos);
      if (lt < text.size()) m_out += "&lt;";
      pos = lt + 1;
    }
  }

  // Where the raw text of an element named name ends: the start of its end
  // tag, or the end of the input.
  std::size_t RawTextEnd(std::size_t from, const std::string& name) const {
    for (std::size_t at = m_in.find("</", from); at != npos; at = m_in.find("</", at + 2)) {
      std::size_t nameEnd = at + 2 + name.size();
      if (nameEnd > m_in.size()) return m_in.size();
      if (!EqualIgnoringCase(m_in.substr(at + 2, name.size()), name)) continue;
      if (nameEnd == m_in.size()) return at;
      char c = m_in[nameEnd];
      if (IsSpace(c) || c == '/' || c == '>') return at;
    }
    return m_in.size();
  }

  // Skips the end tag at end (if any); returns the position after it.
  std::size_t SkipEndTag(std::size_t end) {
    if (end >= m_in.size()) return end;
    Tag ignored;
    std::size_t after = ReadTag(end, true, ignored);
    return after == npos ? m_in.size() : after;
  }

  std::size_t HandleStartTag(const Tag& tag, std::size_t after) {
    const GumboTag t = tag.tag;
    const bool foreign = InForeignContent();
    if (!foreign && !CloseImplied(t)) return after;
    const bool rawText = !foreign && IsRawText(t);
    const bool room = m_elements < m_limits.maxElements && m_open.size() < m_limits.maxDepth;
    if (!foreign && t == GUMBO_TAG_PLAINTEXT) {
      if (room) WriteStartTag(tag, false);
      WriteEscaped(m_in.substr(after));
      return m_in.size();
    }
    if (rawText) {
      std::size_t end = RawTextEnd(after, tag.name);
      if (room) {
        WriteStartTag(tag, false);
        WriteEscaped(m_in.substr(after, end - after));
        m_out += "</";
        m_out += tag.name;
        m_out += '>';
      }
      return SkipEndTag(end);
    }
    if (!room) return after;
    const bool selfClosedForeign = tag.selfClosing && (foreign || t == GUMBO_TAG_SVG || t == GUMBO_TAG_MATH);
    WriteStartTag(tag, selfClosedForeign);
    if (IsVoid(t) || selfClosedForeign) return after;
    if (t == GUMBO_TAG_HTML || t == GUMBO_TAG_HEAD || t == GUMBO_TAG_BODY) return after;  // merged, never nested
    m_open.push_back({t, tag.name, foreign});
    if (t == GUMBO_TAG_SVG || t == GUMBO_TAG_MATH) ++m_foreignOpen;
    return after;
  }

  void HandleEndTag(const Tag& tag) {
    const GumboTag t = tag.tag;
    switch (t) {
      case GUMBO_TAG_HTML:
      case GUMBO_TAG_HEAD:
      case GUMBO_TAG_BODY:
        return;  // the parser never closes these early
      case GUMBO_TAG_BR:
        // An end tag br is read as a line break.
        if (m_elements < m_limits.maxElements) m_out += "<br>", ++m_elements;
        return;
      case GUMBO_TAG_P:
        CloseIfFound(FindInScope(GUMBO_TAG_P));
        return;
      default:
        break;
    }
    auto wanted = [&tag](const OpenElement& e) { return Matches(e, tag); };
    if (t == GUMBO_TAG_TABLE) {
      CloseIfFound(FindOpen(wanted, [](GumboTag b) { return b == GUMBO_TAG_HTML || b == GUMBO_TAG_TEMPLATE; }));
    } else if (IsTablePart(t)) {
      CloseIfFound(FindOpen(wanted, IsTableBoundary));
    } else {
      CloseIfFound(FindOpen(wanted, IsMarker));
    }
  }

  std::string_view m_in;
  HtmlStructureLimits m_limits;
  std::string m_out;
  std::vector<OpenElement> m_open;
  std::size_t m_foreignOpen = 0;
  std::size_t m_elements = 0;
  bool m_seenTag = false;
  Tag m_tag;
};

}  // namespace

std::string BoundHtmlStructure(std::string_view html, const HtmlStructureLimits& limits) {
  return StructureBounder(html, limits).Run();
}

}  // namespace quorla
