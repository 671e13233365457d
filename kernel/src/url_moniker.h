#pragma once
// CUrlMoniker: one asynchronous URL download over the platform's URL
// monikers. It is its own bind status callback, HTTP negotiator and
// authenticator. It owns the received blocks, the assembled body and a copy
// of the POST data, and holds the binding and the data stream while a
// transfer runs. It has no thread and no lock: Start, the callbacks and the
// completion function all run on the thread that called Start, which must
// pump messages until the completion function has been called.
#include <vector>

#include "framework/com_object.h"
#include "kernel/url_moniker.h"
#include "win/global_memory.h"
#include "win/urlmon.h"

class CUrlMoniker : public S_COM::CSComObjectRoot<CUrlMoniker>,
                    public IUrlMoniker,
                    public IBindStatusCallback,
                    public IHttpNegotiate,
                    public IAuthenticate {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CUrlMoniker)
  S_COM_INTERFACE_ENTRY(IUrlMoniker)
  S_COM_INTERFACE_ENTRY(IBindStatusCallback)
  S_COM_INTERFACE_ENTRY(IHttpNegotiate)
  S_COM_INTERFACE_ENTRY(IAuthenticate)
  S_COM_END_INTERFACE_MAP()

  CUrlMoniker() = default;
  ~CUrlMoniker();

  // IUrlMoniker
  HRESULT Start(LPCWSTR url, const void* postData, unsigned postSize) override;
  HRESULT Abort() override;
  int GetState() override { return m_state; }
  unsigned GetDataSize() override { return m_state == UrlStateDone ? m_total : 0; }
  char* GetData() override { return m_state == UrlStateDone ? m_body : nullptr; }
  HRESULT SetCallback(UrlMonikerCallback callback, int context) override;

  // IBindStatusCallback
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
  HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* bindFlags, BINDINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD available, FORMATETC* format,
                                            STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // IHttpNegotiate
  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved,
                                                 LPWSTR* additionalHeaders) override;
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD statusCode, LPCWSTR responseHeaders, LPCWSTR requestHeaders,
                                       LPWSTR* additionalRequestHeaders) override;

  // IAuthenticate
  HRESULT STDMETHODCALLTYPE Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) override;

  // Set once any download of the process has stopped; never cleared.
  static bool AnyDownloadFinished();

 private:
  void Reset();
  void FreeChunks();

  int m_state = UrlStateIdle;
  std::vector<char*> m_chunks;
  std::vector<unsigned> m_chunkSizes;
  char* m_body = nullptr;
  unsigned m_total = 0;
  int m_post = 0;
  HGLOBAL m_postData = nullptr;
  unsigned m_postSize = 0;
  IBinding* m_binding = nullptr;
  IStream* m_stream = nullptr;
  UrlMonikerCallback m_callback = nullptr;
  int m_context = 0;
};
