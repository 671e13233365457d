#include "html_tree_gumbo.h"

#include <csetjmp>
#include <cstdlib>
#include <new>

#include "html_structure_bound.h"

namespace quorla {

// Chunks of finished parses, kept for the next parse on the same thread.
// Fresh memory for every page costs more than parsing a small page does
// (each new chunk is faulted in page by page, and freed again at once), so
// up to kKeptBytes of arena chunks stay with the thread that let them go,
// until it ends. Used by its own thread only.
class SpareChunks {
 public:
  SpareChunks() = default;
  ~SpareChunks() {
    for (const Chunk& chunk : m_chunks) std::free(chunk.block);
  }
  SpareChunks(const SpareChunks&) = delete;
  SpareChunks& operator=(const SpareChunks&) = delete;

  // A kept chunk of exactly size bytes, or null.
  void* Take(std::size_t size) {
    for (std::size_t i = m_chunks.size(); i-- > 0;) {
      if (m_chunks[i].size != size) continue;
      void* block = m_chunks[i].block;
      m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(i));
      m_bytes -= size;
      return block;
    }
    return nullptr;
  }
  // False (the caller frees the block) when the thread keeps enough already.
  bool Keep(void* block, std::size_t size) {
    if (m_bytes + size > kKeptBytes) return false;
    try {
      m_chunks.push_back({block, size});
    } catch (const std::bad_alloc&) {
      return false;
    }
    m_bytes += size;
    return true;
  }

  static SpareChunks& OfThisThread() {
    thread_local SpareChunks spare;
    return spare;
  }

 private:
  static constexpr std::size_t kKeptBytes = 16 << 20;
  struct Chunk {
    void* block;
    std::size_t size;
  };
  std::vector<Chunk> m_chunks;
  std::size_t m_bytes = 0;
};

// A bump allocator for one parse: gumbo's frees are ignored and the whole
// arena goes with the tree, which also spares walking the tree to free it.
// When the budget would be exceeded, the allocation escapes the parse with a
// long jump; only gumbo's C frames lie between, so nothing is skipped that
// needs destroying, and the half-built tree goes with the arena. Its chunks
// go to the spare chunks of the thread that destroys it.
class ParseArena {
 public:
  explicit ParseArena(std::size_t budget) : m_budget(budget) {}
  ~ParseArena() {
    SpareChunks& spare = SpareChunks::OfThisThread();
    for (const Block& block : m_blocks) {
      if (!block.chunk || !spare.Keep(block.memory, block.size)) std::free(block.memory);
    }
  }
  ParseArena(const ParseArena&) = delete;
  ParseArena& operator=(const ParseArena&) = delete;

  void* Allocate(std::size_t size) {
    size = (size + 15) & ~std::size_t{15};
    if (size > kLargeBlock) return NewBlock(size, false);  // large blocks get their own
    if (size > m_left) {
      m_next = NewBlock(m_chunkSize, true);
      m_left = m_chunkSize;
      // Small pages stay in small chunks; big ones soon get big chunks.
      if (m_chunkSize < kMaxChunk) m_chunkSize *= 2;
    }
    void* p = m_next;
    m_next += size;
    m_left -= size;
    return p;
  }

  std::jmp_buf escape;

 private:
  static constexpr std::size_t kLargeBlock = 64 << 10;
  static constexpr std::size_t kMaxChunk = 4 << 20;

  struct Block {
    void* memory;
    std::size_t size;
    bool chunk;  // one of the regular chunks, worth keeping for the next parse
  };

  char* NewBlock(std::size_t size, bool chunk) {
    void* block = nullptr;
    if (m_used + size <= m_budget) {
      if (chunk) block = SpareChunks::OfThisThread().Take(size);
      if (!block) block = std::malloc(size);
    }
    if (!block) std::longjmp(escape, 1);
    try {
      m_blocks.push_back({block, size, chunk});
    } catch (const std::bad_alloc&) {
      std::free(block);
      std::longjmp(escape, 1);
    }
    m_used += size;
    return static_cast<char*>(block);
  }

  std::size_t m_budget;
  std::size_t m_used = 0;
  std::vector<Block> m_blocks;
  char* m_next = nullptr;
  std::size_t m_left = 0;
  std::size_t m_chunkSize = 64 << 10;
};

namespace {

void* ArenaAllocate(void* arena, std::size_t size) { return static_cast<ParseArena*>(arena)->Allocate(size); }
void ArenaFree(void*, void*) {}

// Runs gumbo over text with the arena; null when the budget ran out.
GumboOutput* ParseInArena(ParseArena& arena, const std::string& text) {
  GumboOptions options = kGumboDefaultOptions;
  options.allocator = ArenaAllocate;
  options.deallocator = ArenaFree;
  options.userdata = &arena;
  options.max_errors = 0;  // recording every error makes broken pages slow
  if (setjmp(arena.escape) != 0) return nullptr;
  return gumbo_parse_with_options(&options, text.data(), text.size());
}

bool IsHtmlElement(const GumboNode* node, GumboTag tag) {
  return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag &&
         node->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

bool IsAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string CollapseSpaces(std::string_view text) {
  std::string out;
  bool space = false;
  for (char c : text) {
    if (IsAsciiSpace(c)) {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += c;
  }
  return out;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return out;
}

std::string NormalizeCharset(std::string_view label) {
  while (!label.empty() && (IsAsciiSpace(label.front()) || label.front() == '"' || label.front() == '\''))
    label.remove_prefix(1);
  while (!label.empty() && (IsAsciiSpace(label.back()) || label.back() == '"' || label.back() == '\''))
    label.remove_suffix(1);
  std::string charset = LowerAscii(label);
  if (charset == "utf8" || charset == "unicode-1-1-utf-8") charset = "utf-8";
  return charset;
}

// The charset named in a content type such as "text/html; charset=gbk".
std::string CharsetOfContentType(std::string_view content) {
  std::string lower = LowerAscii(content);
  std::size_t at = lower.find("charset");
  if (at == std::string::npos) return {};
  std::size_t p = at + 7;
  while (p < lower.size() && IsAsciiSpace(lower[p])) ++p;
  if (p >= lower.size() || lower[p] != '=') return {};
  ++p;
  std::size_t end = lower.find_first_of(";, \t\r\n\f", lower.find_first_not_of(" \t\r\n\f\"'", p));
  return NormalizeCharset(std::string_view(lower).substr(p, end == std::string::npos ? std::string::npos : end - p));
}

}  // namespace

HtmlTree::HtmlTree() = default;

HtmlTree::~HtmlTree() = default;  // the arena holds gumbo's whole output

std::shared_ptr<const HtmlTree> HtmlTree::Parse(std::string_view html) {
  std::shared_ptr<HtmlTree> tree(new (std::nothrow) HtmlTree);
  if (!tree) return nullptr;
  try {
    tree->m_text = BoundHtmlStructure(html);
    std::size_t budget = (std::size_t{256} << 20) + 4 * html.size();
    tree->m_arena = std::make_unique<ParseArena>(budget);
    tree->m_output = ParseInArena(*tree->m_arena, tree->m_text);
    if (!tree->m_output || !tree->m_output->root) return nullptr;
    tree->IndexElements();
    tree->FindTitleAndCharset();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return tree;
}

void HtmlTree::IndexElements() {
  // Iterative walk: repeated reconstruction of formatting elements can nest
  // deeper than the bounded text does.
  struct Frame {
    const GumboNode* node;
    std::size_t index;
    unsigned child;
  };
  std::vector<Frame> stack;
  auto enter = [&](const GumboNode* node) {
    std::size_t index = m_elements.size();
    m_elements.push_back(node);
    m_subtreeEnd.push_back(0);
    stack.push_back({node, index, 0});
  };
  enter(m_output->root);
  while (!stack.empty()) {
    Frame& top = stack.back();
    // A template's content is not part of the document's tree.
    const GumboVector& children = top.node->type == GUMBO_NODE_ELEMENT ? top.node->v.element.children
                                                                       : GumboVector{nullptr, 0, 0};
    if (top.child < children.length) {
      const GumboNode* child = static_cast<const GumboNode*>(children.data[top.child++]);
      if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE) enter(child);
      continue;
    }
    m_subtreeEnd[top.index] = static_cast<std::uint32_t>(m_elements.size());
    stack.pop_back();
  }
}

void HtmlTree::FindTitleAndCharset() {
  bool titleFound = false;
  for (const GumboNode* node : m_elements) {
    if (!titleFound && IsHtmlElement(node, GUMBO_TAG_TITLE)) {
      titleFound = true;
      std::string text;
      const GumboVector& children = node->v.element.children;
      for (unsigned i = 0; i < children.length; ++i) {
        const GumboNode* child = static_cast<const GumboNode*>(children.data[i]);
        if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) text += child->v.text.text;
      }
      m_title = CollapseSpaces(text);
    }
    if (m_charset.empty() && IsHtmlElement(node, GUMBO_TAG_META)) {
      if (const char* charset = AttributeValue(node, "charset")) {
        m_charset = NormalizeCharset(charset);
      } else if (const char* equiv = AttributeValue(node, "http-equiv")) {
        const char* content = AttributeValue(node, "content");
        if (content && LowerAscii(CollapseSpaces(equiv)) == "content-type") m_charset = CharsetOfContentType(content);
      }
    }
  }
  if (m_charset.empty()) m_charset = "gb2312";
}

std::string UpperTagName(const GumboNode* element) {
  std::string name;
  if (element->type == GUMBO_NODE_TEMPLATE || element->v.element.tag != GUMBO_TAG_UNKNOWN) {
    name = gumbo_normalized_tagname(element->v.element.tag);
  } else {
    GumboStringPiece piece = element->v.element.original_tag;
    gumbo_tag_from_original_text(&piece);
    name.assign(piece.data ? piece.data : "", piece.data ? piece.length : 0);
  }
  for (char& c : name) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  return name;
}

const char* AttributeValue(const GumboNode* element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element->v.element.attributes, name);
  return attribute ? attribute->value : nullptr;
}

}  // namespace quorla
