#include "url_moniker.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "win/com.h"
#include "win/window_objects.h"

namespace {

// Written by whichever download stops first, read by any; only ever goes
// from clear to set.
std::atomic<bool> g_anyDownloadFinished{false};

constexpr DWORD kBindFlags =
    BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PULLDATA;
constexpr unsigned kSmallestRead = 4096;
constexpr unsigned kLargestRead = 10485760;
constexpr char16_t kFormContentType[] = u"Content-Type: application/x-www-form-urlencoded\r\n";

template <class T>
void ReleaseAndClear(T*& object) {
  if (object) {
    object->Release();
    object = nullptr;
  }
}

}  // namespace

bool CUrlMoniker::AnyDownloadFinished() { return g_anyDownloadFinished.load(std::memory_order_relaxed); }

CUrlMoniker::~CUrlMoniker() { Reset(); }

void CUrlMoniker::FreeChunks() {
  for (char* chunk : m_chunks) std::free(chunk);
  m_chunks.clear();
  m_chunks.shrink_to_fit();
  m_chunkSizes.clear();
  m_chunkSizes.shrink_to_fit();
}

void CUrlMoniker::Reset() {
  if (m_postData) {
    GlobalFree(m_postData);
    m_postData = nullptr;
  }
  m_postSize = 0;
  m_post = 0;
  std::free(m_body);
  m_body = nullptr;
  m_total = 0;
  m_state = UrlStateIdle;
  FreeChunks();
  ReleaseAndClear(m_binding);
  ReleaseAndClear(m_stream);
}

HRESULT CUrlMoniker::Start(LPCWSTR url, const void* postData, unsigned postSize) {
  if (m_state == UrlStateRunning) return E_FAIL;
  Reset();
  if (postData && postSize) {
    m_postData = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, postSize);
    void* bytes = m_postData ? GlobalLock(m_postData) : nullptr;
    if (!bytes) {
      if (m_postData) GlobalFree(m_postData);
      m_postData = nullptr;
      return E_OUTOFMEMORY;
    }
    std::memcpy(bytes, postData, postSize);
    GlobalUnlock(m_postData);
    m_postSize = postSize;
    m_post = 1;
  }
  m_state = UrlStateRunning;

  IMoniker* moniker = nullptr;
  IBindCtx* context = nullptr;
  IUnknown* storage = nullptr;
  HRESULT hr = CreateURLMoniker(nullptr, url, &moniker);
  if (SUCCEEDED(hr)) hr = CreateBindCtx(0, &context);
  if (SUCCEEDED(hr)) hr = RegisterBindStatusCallback(context, static_cast<IBindStatusCallback*>(this), nullptr, 0);
  if (SUCCEEDED(hr)) hr = moniker->BindToStorage(context, nullptr, IID_IStream, reinterpret_cast<void**>(&storage));
  if (storage) storage->Release();
  if (moniker) moniker->Release();
  if (context) context->Release();
  // A bind that fails at once calls nothing back: say so in the state, so
  // that nobody waits for a transfer that is not running.
  if (FAILED(hr)) m_state = UrlStateFailed;
  return hr;
}

HRESULT CUrlMoniker::Abort() { return m_binding ? m_binding->Abort() : E_INVALIDARG; }

HRESULT CUrlMoniker::SetCallback(UrlMonikerCallback callback, int context) {
  if (!callback) return E_FAIL;
  m_callback = callback;
  m_context = context;
  return S_OK;
}

HRESULT CUrlMoniker::OnStartBinding(DWORD, IBinding* binding) {
  if (binding) binding->AddRef();
  if (m_binding) m_binding->Release();
  m_binding = binding;
  return S_OK;
}

HRESULT CUrlMoniker::GetPriority(LONG* priority) {
  if (!priority) return E_INVALIDARG;
  *priority = 0;
  return S_OK;
}

HRESULT CUrlMoniker::GetBindInfo(DWORD* bindFlags, BINDINFO* info) {
  if (!info || info->cbSize == 0 || !bindFlags) return E_INVALIDARG;
  *bindFlags = kBindFlags;
  ULONG size = info->cbSize;
  std::memset(info, 0, size < sizeof(BINDINFO) ? size : sizeof(BINDINFO));
  info->cbSize = size;
  if (size < sizeof(BINDINFO)) return S_OK;  // too small to carry a verb or data
  info->dwBindVerb = m_post == 1 ? BINDVERB_POST : BINDVERB_GET;
  if (m_post == 1) {
    info->stgmedData.tymed = TYMED_HGLOBAL;
    info->stgmedData.hGlobal = m_postData;
    info->stgmedData.pUnkForRelease = static_cast<IBindStatusCallback*>(this);
    info->stgmedData.pUnkForRelease->AddRef();
    info->cbstgmedData = m_postSize;
  }
  return S_OK;
}

HRESULT CUrlMoniker::OnDataAvailable(DWORD flags, DWORD available, FORMATETC*, STGMEDIUM* medium) {
  if ((flags & BSCF_FIRSTDATANOTIFICATION) && !m_stream && medium && medium->tymed == TYMED_ISTREAM && medium->pstm) {
    m_stream = medium->pstm;
    m_stream->AddRef();
  }
  if (!m_stream) return S_OK;
  unsigned readSize = static_cast<unsigned>(available) - m_total;
  if (readSize < kSmallestRead) readSize = kSmallestRead;
  if (readSize > kLargestRead) readSize = kLargestRead;
  for (;;) {
    auto* block = static_cast<char*>(std::malloc(readSize));
    if (!block) return E_OUTOFMEMORY;
    ULONG got = 0;
    HRESULT hr = m_stream->Read(block, readSize, &got);
    if (got > 0) {
      m_chunks.push_back(block);
      m_chunkSizes.push_back(got);
      m_total += got;
    } else {
      std::free(block);
    }
    if (hr == S_FALSE || FAILED(hr)) return hr;
    if (got == 0) return S_OK;  // a stream that says "more" with nothing read would spin here for ever
  }
}

HRESULT CUrlMoniker::OnStopBinding(HRESULT result, LPCWSTR) {
  g_anyDownloadFinished.store(true, std::memory_order_relaxed);
  ReleaseAndClear(m_binding);
  ReleaseAndClear(m_stream);
  m_state = FAILED(result) ? UrlStateFailed : UrlStateDone;
  if (m_state == UrlStateDone && m_total > 0) {
    auto* body = static_cast<char*>(std::malloc(static_cast<size_t>(m_total) + 1));
    if (body) {
      size_t at = 0;
      for (size_t i = 0; i < m_chunks.size(); ++i) {
        std::memcpy(body + at, m_chunks[i], m_chunkSizes[i]);
        at += m_chunkSizes[i];
      }
      body[at] = 0;
      m_body = body;
      FreeChunks();
    } else {
      // Without room for the body the download has not succeeded: report a
      // failure rather than an empty page.
      m_state = UrlStateFailed;
    }
  }
  if (m_callback) m_callback(m_context, m_state, 0);
  return S_OK;
}

HRESULT CUrlMoniker::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) {
  if (!additionalHeaders) return E_POINTER;
  *additionalHeaders = nullptr;
  if (m_post != 1 || !m_postData) return S_OK;
  auto* text = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kFormContentType));
  if (!text) return E_OUTOFMEMORY;
  std::memcpy(text, kFormContentType, sizeof kFormContentType);
  *additionalHeaders = text;
  return S_OK;
}

HRESULT CUrlMoniker::OnResponse(DWORD, LPCWSTR, LPCWSTR, LPWSTR* additionalRequestHeaders) {
  if (!additionalRequestHeaders) return E_POINTER;
  *additionalRequestHeaders = nullptr;
  return S_OK;
}

HRESULT CUrlMoniker::Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) {
  // All three are cleared first, so a caller never frees or uses garbage.
  if (window) *window = nullptr;
  if (user) *user = nullptr;
  if (password) *password = nullptr;
  if (AnyDownloadFinished()) return S_OK;
  HWND owner = FindWindowW(u"VXBrowser", nullptr);
  if (!owner) owner = GetActiveWindow();
  if (!owner) owner = GetDesktopWindow();
  if (window) *window = owner;
  return S_OK;
}
