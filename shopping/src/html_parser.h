#pragma once
// CHtmlParser: the page parser component (one shared instance per process).
// It reads the site table once, when it is made, and keeps it and the
// strategy cache for its life; parsing is done by its PageParser. Any thread
// may parse; the live-document operations run on the document's thread.
#include <memory>

#include "framework/com_object.h"
#include "page_parser.h"
#include "shopping/html_parser.h"

class CHtmlParser : public S_COM::CSComObjectRoot<CHtmlParser>, public IHtmlParser {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CHtmlParser)
  S_COM_INTERFACE_ENTRY(IHtmlParser)
  S_COM_END_INTERFACE_MAP()

  // Loads the site table from beside the program file.
  CHtmlParser();

  HRESULT STDMETHODCALLTYPE ParseDocument(IUnknown* document, ReducePriceItem* item) override;
  HRESULT STDMETHODCALLTYPE ParseFile(LPCWSTR path, LPCWSTR url, ReducePriceItem* item) override;
  HRESULT STDMETHODCALLTYPE ParseHtml(LPCWSTR html, LPCWSTR url, ReducePriceItem* item) override;
  HRESULT STDMETHODCALLTYPE GetDocumentHtml(IUnknown* document, BSTR* out) override;

  PageParser& Parser() { return m_parser; }

 private:
  PageParser m_parser;
};
