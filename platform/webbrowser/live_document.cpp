#include "live_document.h"

#include "win/com_classes.h"

namespace quorla {
namespace {

BSTR ToBstr(const QString& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
}

}  // namespace

LiveDocument* LiveDocument::FromMarkup(const QString& markup, const QString& address,
                                       std::shared_ptr<const QString> title) {
  IHTMLDocument2* parsed = nullptr;
  if (FAILED(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2,
                              reinterpret_cast<void**>(&parsed))))
    return nullptr;
  SAFEARRAY* texts = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  HRESULT hr = E_OUTOFMEMORY;
  if (texts) {
    auto* text = static_cast<VARIANT*>(texts->pvData);
    text->vt = VT_BSTR;
    text->bstrVal = ToBstr(markup);
    hr = text->bstrVal ? parsed->write(texts) : E_OUTOFMEMORY;
    SafeArrayDestroy(texts);
  }
  if (SUCCEEDED(hr)) hr = parsed->close();
  auto* document = SUCCEEDED(hr) ? new (std::nothrow) LiveDocument() : nullptr;
  if (!document) {
    parsed->Release();
    return nullptr;
  }
  document->markup_ = parsed;
  document->address_ = address;
  document->title_ = std::move(title);
  if (FAILED(parsed->QueryInterface(IID_IHTMLDocument3, reinterpret_cast<void**>(&document->elements_))) ||
      FAILED(parsed->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&document->source_)))) {
    document->Release();
    return nullptr;
  }
  return document;
}

LiveDocument::~LiveDocument() {
  if (source_) source_->Release();
  if (elements_) elements_->Release();
  if (markup_) markup_->Release();
}

HRESULT LiveDocument::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  void* itf = nullptr;
  if (iid == IID_IHTMLDocument3) itf = static_cast<IHTMLDocument3*>(this);
  if (iid == IID_IPersistStreamInit) itf = static_cast<IPersistStreamInit*>(this);
  if (!itf) return QueryFor(iid, out, {&IID_IDispatch, &IID_IHTMLDocument2});
  AddRef();
  *out = itf;
  return S_OK;
}

HRESULT LiveDocument::get_title(BSTR* out) {
  if (!out) return E_POINTER;
  *out = ToBstr(title_ ? *title_ : QString());
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT LiveDocument::get_URL(BSTR* out) {
  if (!out) return E_POINTER;
  *out = ToBstr(address_);
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace quorla
