#include "html_parser.h"

#include <vector>

#include "document_source.h"
#include "element_helpers.h"
#include "shopping/text_conversions.h"
#include "win/files.h"
#include "win/handles.h"

using S_COM::ComPtr;

namespace {

SiteTable LoadDefaultSiteTable() {
  SiteTable sites;
  sites.LoadFile(DefaultSiteTablePath());
  return sites;
}

}  // namespace

CHtmlParser::CHtmlParser() : m_parser(LoadDefaultSiteTable()) {}

HRESULT CHtmlParser::ParseHtml(LPCWSTR html, LPCWSTR url, ReducePriceItem* item) {
  return m_parser.ParseHtml(html, url, item);
}

HRESULT CHtmlParser::ParseDocument(IUnknown* document, ReducePriceItem* item) {
  if (!document) return E_FAIL;
  ComPtr<IHTMLDocument2> document2;
  if (FAILED(document->QueryInterface(IID_IHTMLDocument2, document2.PutVoid())) || !document2) return E_FAIL;
  BSTR rawUrl = nullptr;
  if (FAILED(document2->get_URL(&rawUrl))) return E_FAIL;
  std::u16string url = TakeBstr(rawUrl);
  std::u16string source;
  if (!GetDocumentSource(document, source)) return E_FAIL;
  return static_cast<IHtmlParser*>(this)->ParseHtml(source.c_str(), url.c_str(), item);
}

HRESULT CHtmlParser::ParseFile(LPCWSTR path, LPCWSTR url, ReducePriceItem* item) {
  if (!path) return E_FAIL;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return E_FAIL;
  LARGE_INTEGER size{};
  std::vector<char> bytes;
  bool read = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF;
  if (read) {
    bytes.assign(static_cast<std::size_t>(size.QuadPart) + 2, '\0');  // two zero bytes after the data
    DWORD got = 0;
    read = ReadFile(file, bytes.data(), static_cast<DWORD>(size.QuadPart), &got, nullptr) &&
           got == static_cast<DWORD>(size.QuadPart);
  }
  CloseHandle(file);
  if (!read) return E_FAIL;
  std::u16string html = AcpToWide(bytes.data());
  return static_cast<IHtmlParser*>(this)->ParseHtml(html.c_str(), url, item);
}

HRESULT CHtmlParser::GetDocumentHtml(IUnknown* document, BSTR* out) {
  if (!document || !out) return E_FAIL;
  ComPtr<IHTMLDocument2> document2;
  if (FAILED(document->QueryInterface(IID_IHTMLDocument2, document2.PutVoid())) || !document2) return E_FAIL;
  std::u16string source;
  if (!GetDocumentSource(document, source)) return E_FAIL;
  *out = SysAllocStringLen(source.data(), static_cast<UINT>(source.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}
