// URL monikers and bind contexts: the front end of URL transfers. Binding
// reads the request from the status callback (bind info, negotiated headers)
// and hands it to the binding thread's network thread.
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>

#include "layer_object.h"
#include "url_transfer.h"
#include "utf.h"
#include "win/com.h"
#include "win/strings.h"
#include "win/urlmon.h"

namespace {

constexpr char16_t kCallbackKey[] = u"_BSCB_Holder_";

class BindContext final : public quorla::LayerObject<IBindCtx> {
 public:
  ~BindContext() override {
    for (auto& [key, object] : objects_) object->Release();
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IBindCtx});
  }
  HRESULT STDMETHODCALLTYPE RegisterObjectParam(LPCWSTR key, IUnknown* object) override {
    if (!key || !object) return E_INVALIDARG;
    object->AddRef();
    auto [it, inserted] = objects_.try_emplace(key, object);
    if (!inserted) {
      it->second->Release();
      it->second = object;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetObjectParam(LPCWSTR key, IUnknown** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto it = key ? objects_.find(key) : objects_.end();
    if (it == objects_.end()) return E_FAIL;
    it->second->AddRef();
    *object = it->second;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RevokeObjectParam(LPCWSTR key) override {
    auto it = key ? objects_.find(key) : objects_.end();
    if (it == objects_.end()) return S_FALSE;
    it->second->Release();
    objects_.erase(it);
    return S_OK;
  }

 private:
  std::map<std::u16string, IUnknown*> objects_;
};

bool StartsWithNoCase(const std::u16string& text, const char16_t* prefix) {
  return StrCmpNIW(text.c_str(), prefix, lstrlenW(prefix)) == 0;
}

// Splits CRLF-separated header lines; empty lines are dropped.
std::vector<std::string> HeaderLines(LPCWSTR text) {
  std::vector<std::string> lines;
  std::string all = quorla::Utf16ToUtf8(text);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find_first_of("\r\n", start);
    if (end == std::string::npos) end = all.size();
    if (end > start) lines.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

class UrlMoniker final : public quorla::LayerObject<IMoniker> {
 public:
  explicit UrlMoniker(std::u16string url) : url_(std::move(url)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IMoniker});
  }

  HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx*, IMoniker*, LPWSTR* name) override {
    if (!name) return E_POINTER;
    size_t bytes = (url_.size() + 1) * sizeof(WCHAR);
    *name = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*name) return E_OUTOFMEMORY;
    std::memcpy(*name, url_.c_str(), bytes);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* context, IMoniker*, REFIID iid, void** object) override {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    if (!context) return E_INVALIDARG;
    if (!IsEqualIID(iid, IID_IStream)) return E_NOINTERFACE;
    // Only http and https, whatever the address says; redirects are held to
    // the same rule by the transfer.
    if (!StartsWithNoCase(url_, u"http://") && !StartsWithNoCase(url_, u"https://")) return INET_E_UNKNOWN_PROTOCOL;

    IUnknown* held = nullptr;
    IBindStatusCallback* callback = nullptr;
    if (FAILED(context->GetObjectParam(kCallbackKey, &held)) || !held) return E_INVALIDARG;
    HRESULT hr = held->QueryInterface(IID_IBindStatusCallback, reinterpret_cast<void**>(&callback));
    held->Release();
    if (FAILED(hr) || !callback) return E_INVALIDARG;

    auto transfer = std::make_shared<quorla::UrlTransfer>();
    transfer->url = quorla::Utf16ToUtf8(url_);
    transfer->stallMilliseconds = quorla::CurrentStallLimit();
    transfer->maxBodyBytes = quorla::CurrentBodyLimit();
    transfer->trustedCertificates = quorla::CurrentTrustedCertificates();
    hr = ReadRequest(callback, *transfer);
    if (SUCCEEDED(hr)) hr = quorla::StartUrlTransfer(transfer, callback);
    callback->Release();
    return hr;
  }

 private:
  HRESULT ReadRequest(IBindStatusCallback* callback, quorla::UrlTransfer& transfer) {
    DWORD flags = 0;
    BINDINFO info{};
    info.cbSize = sizeof info;
    HRESULT hr = callback->GetBindInfo(&flags, &info);
    if (FAILED(hr)) return hr;
    if (info.dwBindVerb == BINDVERB_POST) {
      transfer.post = true;
      if (info.stgmedData.tymed == TYMED_HGLOBAL && info.stgmedData.hGlobal) {
        SIZE_T available = GlobalSize(info.stgmedData.hGlobal);
        SIZE_T size = info.cbstgmedData < available ? info.cbstgmedData : available;
        if (auto* bytes = static_cast<const char*>(GlobalLock(info.stgmedData.hGlobal))) {
          transfer.postData.assign(bytes, size);
          GlobalUnlock(info.stgmedData.hGlobal);
        }
      }
    }
    ReleaseBindInfo(&info);

    IHttpNegotiate* negotiate = nullptr;
    if (SUCCEEDED(callback->QueryInterface(IID_IHttpNegotiate, reinterpret_cast<void**>(&negotiate))) && negotiate) {
      LPWSTR extra = nullptr;
      hr = negotiate->BeginningTransaction(url_.c_str(), nullptr, 0, &extra);
      negotiate->Release();
      if (extra) {
        transfer.headers = HeaderLines(extra);
        CoTaskMemFree(extra);
      }
      if (FAILED(hr)) return hr;
    }
    return S_OK;
  }

  std::u16string url_;
};

// "scheme:" with a letter first, then letters, digits, '+', '-' or '.'.
bool HasScheme(LPCWSTR url) {
  auto isAlpha = [](WCHAR c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
  if (!isAlpha(url[0])) return false;
  for (const WCHAR* p = url + 1; *p; ++p) {
    if (*p == u':') return true;
    if (!isAlpha(*p) && !(*p >= u'0' && *p <= u'9') && *p != u'+' && *p != u'-' && *p != u'.') return false;
  }
  return false;
}

}  // namespace

HRESULT CreateURLMoniker(IMoniker* base, LPCWSTR url, IMoniker** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (base || !url) return E_INVALIDARG;
  if (!HasScheme(url)) return MK_E_SYNTAX;
  auto* moniker = new (std::nothrow) UrlMoniker(url);
  if (!moniker) return E_OUTOFMEMORY;
  *out = moniker;
  return S_OK;
}

HRESULT CreateBindCtx(DWORD, IBindCtx** out) {
  if (!out) return E_INVALIDARG;
  *out = new (std::nothrow) BindContext;
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT RegisterBindStatusCallback(IBindCtx* context, IBindStatusCallback* callback, IBindStatusCallback** previous,
                                   DWORD) {
  if (previous) *previous = nullptr;
  if (!context || !callback) return E_INVALIDARG;
  IUnknown* old = nullptr;
  if (SUCCEEDED(context->GetObjectParam(kCallbackKey, &old)) && old) {
    if (previous) {
      old->QueryInterface(IID_IBindStatusCallback, reinterpret_cast<void**>(previous));
    }
    old->Release();
  }
  return context->RegisterObjectParam(kCallbackKey, callback);
}
