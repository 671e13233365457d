#pragma once
// The page parser: "Vendrix.CHtmlParser", one shared instance per process.
// It finds a page's shop in the site table ("config/domainList.xml" beside
// the program file), reads the price with that shop's strategy and fills a
// ReducePriceItem. Parsing blocks the calling thread for as long as the
// strategy runs (which may include a download), so it is never called on a
// user-interface thread; the live-document operations are called on the
// thread that owns the document. A failed parse leaves the record as it was.
#include "shopping/reduce_price_item.h"
#include "win/oleauto.h"

QUORLA_DEFINE_GUID(IID_IHtmlParser, 0xca3fec32, 0x2652, 0x44a9, 0xb3, 0xa5, 0x5f, 0xe5, 0x8b, 0xa4, 0x11, 0xf2);

struct IHtmlParser : IUnknown {
  // Parses the source of a live document (an IHTMLDocument2) at its address.
  virtual HRESULT STDMETHODCALLTYPE ParseDocument(IUnknown* document, ReducePriceItem* item) = 0;
  // Parses a file of page bytes in the ANSI code page as the page at url.
  virtual HRESULT STDMETHODCALLTYPE ParseFile(LPCWSTR path, LPCWSTR url, ReducePriceItem* item) = 0;
  // Parses page text as the page at url. On success item holds the price
  // (CurrentPrice), Url, Title and SiteName.
  virtual HRESULT STDMETHODCALLTYPE ParseHtml(LPCWSTR html, LPCWSTR url, ReducePriceItem* item) = 0;
  // The HTML source of a live document as a new BSTR for the caller.
  virtual HRESULT STDMETHODCALLTYPE GetDocumentHtml(IUnknown* document, BSTR* out) = 0;

 protected:
  ~IHtmlParser() = default;
};
QUORLA_INTERFACE_ID(IHtmlParser, IID_IHtmlParser);
