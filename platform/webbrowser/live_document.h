#pragma once
// A document of the layer (win/mshtml.h) for a page the WebBrowser control
// shows: the elements, charset and saved source of one snapshot of the page's
// markup, with the page's address and the title the engine holds now. The
// control updates that title for as long as the page stays committed.
#include <QString>
#include <memory>

#include "layer_object.h"
#include "win/mshtml.h"

namespace quorla {

class LiveDocument final : public LayerObject<IHTMLDocument2>, public IHTMLDocument3, public IPersistStreamInit {
 public:
  // One reference for the caller; null when the markup cannot be parsed.
  static LiveDocument* FromMarkup(const QString& markup, const QString& address,
                                  std::shared_ptr<const QString> title);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return LayerObject<IHTMLDocument2>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return LayerObject<IHTMLDocument2>::Release(); }

  // IHTMLDocument2. The content is the snapshot's: write and close refuse.
  HRESULT STDMETHODCALLTYPE get_title(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_URL(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_charset(BSTR* out) override { return markup_->get_charset(out); }
  HRESULT STDMETHODCALLTYPE write(SAFEARRAY*) override { return E_ACCESSDENIED; }
  HRESULT STDMETHODCALLTYPE close() override { return E_ACCESSDENIED; }

  // IHTMLDocument3
  HRESULT STDMETHODCALLTYPE get_documentElement(IHTMLElement** out) override {
    return elements_->get_documentElement(out);
  }
  HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR name, IHTMLElementCollection** out) override {
    return elements_->getElementsByTagName(name, out);
  }

  // IPersistStreamInit
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override {
    return source_->Save(stream, clearDirty);
  }

 private:
  LiveDocument() = default;
  ~LiveDocument() override;

  IHTMLDocument2* markup_ = nullptr;
  IHTMLDocument3* elements_ = nullptr;
  IPersistStreamInit* source_ = nullptr;
  QString address_;
  std::shared_ptr<const QString> title_;
};

}  // namespace quorla
