#include "page_parser.h"

#include "element_helpers.h"
#include "framework/com_ptr.h"
#include "shopping/text_conversions.h"
#include "win/com_classes.h"
#include "win/modules.h"
#include "win/paths.h"
#include "win/strings.h"

using S_COM::ComPtr;

namespace {

// A one-element array of variants holding the page text, as the document's
// write takes it.
class TextArray {
 public:
  explicit TextArray(LPCWSTR text) : m_array(SafeArrayCreateVector(VT_VARIANT, 0, 1)) {
    VARIANT* items = nullptr;
    if (!m_array || FAILED(SafeArrayAccessData(m_array, reinterpret_cast<void**>(&items)))) return;
    items[0].vt = VT_BSTR;
    items[0].bstrVal = SysAllocString(text);
    m_filled = items[0].bstrVal != nullptr;
    SafeArrayUnaccessData(m_array);
  }
  ~TextArray() { SafeArrayDestroy(m_array); }
  TextArray(const TextArray&) = delete;
  TextArray& operator=(const TextArray&) = delete;
  SAFEARRAY* get() const { return m_filled ? m_array : nullptr; }

 private:
  SAFEARRAY* m_array;
  bool m_filled = false;
};

template <std::size_t N>
void CopyCut(WCHAR (&field)[N], LPCWSTR text) {
  lstrcpynW(field, text ? text : u"", static_cast<int>(N));
}

}  // namespace

HRESULT PageParser::ParseHtml(LPCWSTR html, LPCWSTR url, ReducePriceItem* item) {
  if (!html || !item) return E_FAIL;
  const DomainInfo* site = m_sites.FindSiteForUrl(url);
  if (!site) return E_FAIL;
  IParseStrategy* strategy = m_strategies.GetStrategyForType(site->type);
  if (!strategy) return E_FAIL;
  // The page text goes in as it is: documents here never run script, so it
  // needs no defusing.
  TextArray text(html);
  if (!text.get()) return E_FAIL;
  ComPtr<IHTMLDocument2> document;
  if (FAILED(CoCreateInstance(CLSID_HTMLDocument, nullptr,
                              CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                  CLSCTX_REMOTE_SERVER,
                              IID_IHTMLDocument2, document.PutVoid())) ||
      !document)
    return E_FAIL;
  if (FAILED(document->write(text.get())) || FAILED(document->close())) return E_FAIL;
  BSTR rawTitle = nullptr;
  std::u16string title = SUCCEEDED(document->get_title(&rawTitle)) ? TakeBstr(rawTitle) : std::u16string();
  HRESULT hr = strategy->Parse(document.Get(), item, &site->rules);
  if (FAILED(hr)) return hr;
  CopyCut(item->Url, url);
  CopyCut(item->Title, title.c_str());
  FillSiteName(*this, url, item);
  return hr;
}

void FillSiteName(const PageParser& parser, LPCWSTR url, ReducePriceItem* item) {
  if (!item) return;
  std::u16string name = u"未知";
  std::u16string host;
  if (HostOfUrl(url, host)) {
    if (const DomainInfo* site = parser.Sites().Find(LowerAsciiLetters(GetRegisteredDomain(host)))) name = site->name;
  }
  CopyCut(item->SiteName, name.c_str());
}

std::string DefaultSiteTablePath() {
  WCHAR path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  if (!PathAppendW(path, u"..\\config\\domainList.xml")) return {};
  // The XML reader opens files by narrow name: the host's, UTF-8.
  char* bytes = nullptr;
  int length = 0;
  if (!WideToUtf8(path, &bytes, &length)) return {};
  std::string result(bytes);
  delete[] bytes;
  return result;
}
