#include <optional>
#include <string>

#include "html_dom_gumbo.h"
#include "html_rendered_text.h"
#include "layer_object.h"
#include "utf.h"

namespace quorla {

HRESULT Utf8ToBstr(std::string_view text, BSTR* out) {
  if (!out) return E_POINTER;
  std::u16string wide = Utf8ToUtf16(text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

namespace {

HRESULT AttributeToBstr(const GumboNode* element, const char* name, BSTR* out) {
  if (!out) return E_POINTER;
  const char* value = AttributeValue(element, name);
  if (!value) {
    *out = nullptr;
    return S_OK;
  }
  return Utf8ToBstr(value, out);
}

class HtmlElement final : public LayerObject<IHTMLElement> {
 public:
  HtmlElement(std::shared_ptr<const HtmlTree> tree, std::size_t index) : m_tree(std::move(tree)), m_index(index) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IDispatch, &IID_IHTMLElement});
  }

  HRESULT STDMETHODCALLTYPE get_id(BSTR* out) override { return AttributeToBstr(Node(), "id", out); }
  HRESULT STDMETHODCALLTYPE get_className(BSTR* out) override { return AttributeToBstr(Node(), "class", out); }
  HRESULT STDMETHODCALLTYPE get_tagName(BSTR* out) override { return Utf8ToBstr(UpperTagName(Node()), out); }
  HRESULT STDMETHODCALLTYPE get_innerText(BSTR* out) override {
    if (!out) return E_POINTER;
    return Utf8ToBstr(RenderedText(Node()), out);
  }
  HRESULT STDMETHODCALLTYPE get_outerText(BSTR* out) override { return get_innerText(out); }
  HRESULT STDMETHODCALLTYPE get_all(IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = NewHtmlElementRange(m_tree, m_index + 1, m_tree->SubtreeEnd(m_index));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  const GumboNode* Node() const { return m_tree->Element(m_index); }

  std::shared_ptr<const HtmlTree> m_tree;
  std::size_t m_index;
};

// Either a contiguous range of the tree's elements or a list of them.
class HtmlElementCollection final : public LayerObject<IHTMLElementCollection> {
 public:
  HtmlElementCollection(std::shared_ptr<const HtmlTree> tree, std::size_t begin, std::size_t end)
      : m_tree(std::move(tree)), m_begin(begin), m_end(end) {}
  HtmlElementCollection(std::shared_ptr<const HtmlTree> tree, std::vector<std::uint32_t> indices)
      : m_tree(std::move(tree)), m_indices(std::move(indices)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IDispatch, &IID_IHTMLElementCollection});
  }

  HRESULT STDMETHODCALLTYPE get_length(LONG* length) override {
    if (!length) return E_POINTER;
    *length = static_cast<LONG>(Size());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::optional<long long> position = PositionOf(name);
    if (!position) return E_INVALIDARG;
    if (*position < 0 || static_cast<unsigned long long>(*position) >= Size()) return S_OK;
    std::size_t at = static_cast<std::size_t>(*position);
    *out = NewHtmlElement(m_tree, m_indices.empty() ? m_begin + at : m_indices[at]);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  std::size_t Size() const { return m_indices.empty() ? m_end - m_begin : m_indices.size(); }

  static std::optional<long long> PositionOf(const VARIANT& v) {
    switch (v.vt) {
      case VT_I2: return v.iVal;
      case VT_I4: return v.lVal;
      case VT_INT: return v.intVal;
      case VT_UI4: return v.ulVal;
      case VT_UINT: return v.uintVal;
      case VT_I8: return v.llVal;
      default: return std::nullopt;
    }
  }

  std::shared_ptr<const HtmlTree> m_tree;
  std::size_t m_begin = 0;
  std::size_t m_end = 0;
  std::vector<std::uint32_t> m_indices;
};

}  // namespace

IHTMLElement* NewHtmlElement(std::shared_ptr<const HtmlTree> tree, std::size_t index) {
  return new (std::nothrow) HtmlElement(std::move(tree), index);
}

IHTMLElementCollection* NewHtmlElementRange(std::shared_ptr<const HtmlTree> tree, std::size_t begin,
                                            std::size_t end) {
  return new (std::nothrow) HtmlElementCollection(std::move(tree), begin, end);
}

IHTMLElementCollection* NewHtmlElementList(std::shared_ptr<const HtmlTree> tree,
                                           std::vector<std::uint32_t> indices) {
  return new (std::nothrow) HtmlElementCollection(std::move(tree), std::move(indices));
}

}  // namespace quorla
