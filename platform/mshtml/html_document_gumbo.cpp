#include <algorithm>
#include <string>

#include "html_dom_gumbo.h"
#include "layer_object.h"
#include "utf.h"
#include "win/text_encoding.h"

namespace quorla {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  return text;
}

// The written source as code page 936 bytes; what 936 cannot hold becomes a
// numeric character reference, which reads back as the same text.
std::string EncodeForCodePage936(const std::string& utf8) {
  std::u16string wide = Utf8ToUtf16(utf8);
  std::string out;
  if (wide.empty()) return out;
  auto encode = [](const char16_t* text, int n, std::string& bytes) {
    BOOL usedDefault = FALSE;
    int size = WideCharToMultiByte(CP_GBK, 0, text, n, nullptr, 0, nullptr, &usedDefault);
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (size > 0) WideCharToMultiByte(CP_GBK, 0, text, n, bytes.data(), size, nullptr, &usedDefault);
    return size > 0 && !usedDefault;
  };
  if (encode(wide.data(), static_cast<int>(wide.size()), out)) return out;
  out.clear();
  std::string piece;
  for (std::size_t i = 0; i < wide.size();) {
    std::size_t units = (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                         wide[i + 1] <= 0xDFFF)
                            ? 2
                            : 1;
    if (encode(wide.data() + i, static_cast<int>(units), piece)) {
      out += piece;
    } else {
      char32_t cp = units == 2 ? 0x10000 + ((wide[i] - 0xD800) << 10) + (wide[i + 1] - 0xDC00) : wide[i];
      out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    }
    i += units;
  }
  return out;
}

// Counted through its first interface; the other two share that count.
class HtmlDocument final : public LayerObject<IHTMLDocument2>, public IHTMLDocument3, public IPersistStreamInit {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    void* itf = nullptr;
    if (iid == IID_IHTMLDocument3) itf = static_cast<IHTMLDocument3*>(this);
    if (iid == IID_IPersistStreamInit) itf = static_cast<IPersistStreamInit*>(this);
    if (!itf) return QueryFor(iid, out, {&IID_IDispatch, &IID_IHTMLDocument2});
    AddRef();
    *out = itf;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return LayerObject<IHTMLDocument2>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return LayerObject<IHTMLDocument2>::Release(); }

  // IHTMLDocument2
  HRESULT STDMETHODCALLTYPE get_title(BSTR* out) override {
    return Utf8ToBstr(m_tree ? m_tree->Title() : std::string(), out);
  }
  HRESULT STDMETHODCALLTYPE get_URL(BSTR* out) override { return Utf8ToBstr("about:blank", out); }
  HRESULT STDMETHODCALLTYPE get_charset(BSTR* out) override { return Utf8ToBstr(Charset(), out); }

  HRESULT STDMETHODCALLTYPE write(SAFEARRAY* texts) override {
    VARTYPE vt = VT_EMPTY;
    if (!texts || FAILED(SafeArrayGetVartype(texts, &vt)) || vt != VT_VARIANT || texts->cDims != 1)
      return E_INVALIDARG;
    const auto* items = static_cast<const VARIANT*>(texts->pvData);
    const ULONG count = texts->rgsabound[0].cElements;
    for (ULONG i = 0; i < count; ++i) {
      if (items[i].vt != VT_BSTR && items[i].vt != VT_EMPTY && items[i].vt != VT_NULL) return E_INVALIDARG;
    }
    if (m_closed) {
      // Writing to a closed document opens a new one.
      m_tree.reset();
      m_source.clear();
      m_closed = false;
    }
    try {
      for (ULONG i = 0; i < count; ++i) {
        if (items[i].vt == VT_BSTR && items[i].bstrVal)
          m_source += Utf16ToUtf8(std::u16string_view(items[i].bstrVal, SysStringLen(items[i].bstrVal)));
      }
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE close() override {
    if (m_closed) return S_OK;
    m_closed = true;
    m_tree = HtmlTree::Parse(m_source);
    return m_tree ? S_OK : E_OUTOFMEMORY;
  }

  // IHTMLDocument3
  HRESULT STDMETHODCALLTYPE get_documentElement(IHTMLElement** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!m_tree || m_tree->ElementCount() == 0) return S_OK;
    *out = NewHtmlElement(m_tree, 0);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR name, IHTMLElementCollection** out) override {
    if (!out) return E_POINTER;
    std::vector<std::uint32_t> found;
    if (m_tree && name) {
      std::string wanted = UpperAscii(Utf16ToUtf8(std::u16string_view(name, SysStringLen(name))));
      for (std::size_t i = 0; i < m_tree->ElementCount(); ++i) {
        if (UpperTagName(m_tree->Element(i)) == wanted) found.push_back(static_cast<std::uint32_t>(i));
      }
    }
    *out = m_tree ? NewHtmlElementList(m_tree, std::move(found)) : NewHtmlElementRange(nullptr, 0, 0);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  // IPersistStreamInit
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;

 private:
  std::string Charset() const { return m_tree ? m_tree->Charset() : "gb2312"; }

  std::string m_source;  // UTF-8 of everything written
  bool m_closed = false;
  std::shared_ptr<const HtmlTree> m_tree;
};

HRESULT HtmlDocument::Save(IStream* stream, BOOL) {
  if (!stream) return E_POINTER;
  std::string bytes;
  try {
    bytes = Charset() == "utf-8" ? m_source : EncodeForCodePage936(m_source);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  for (std::size_t done = 0; done < bytes.size();) {
    ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes.data() + done, chunk, &written);
    if (FAILED(hr)) return hr;
    if (written != chunk) return STG_E_MEDIUMFULL;
    done += chunk;
  }
  return S_OK;
}

}  // namespace

HRESULT CreateHtmlDocument(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* document = new (std::nothrow) HtmlDocument;
  if (!document) return E_OUTOFMEMORY;
  HRESULT hr = document->QueryInterface(iid, out);
  document->Release();
  return hr;
}

}  // namespace quorla
