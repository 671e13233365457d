#pragma once
// URL monikers: asynchronous downloads of http and https addresses.
//
// A bind runs on the thread that calls BindToStorage (the binding thread),
// which must pump messages: every callback of IBindStatusCallback,
// IHttpNegotiate and IAuthenticate arrives on that thread as a message to a
// hidden window of it, dispatched by its message loop. The transfers of one
// thread run side by side on one connection pool; a companion network thread
// per binding thread moves the bytes. When the binding thread ends, its
// transfers end without further callbacks.
//
// The data contract: the first OnDataAvailable carries
// BSCF_FIRSTDATANOTIFICATION and a TYMED_ISTREAM medium; the announced size
// is cumulative (all bytes received so far); the stream's Read gives S_OK with
// at least one byte, E_PENDING while nothing new has arrived, S_FALSE after
// the last byte (never S_OK with zero bytes). OnResponse reports the final
// status code; any status (404 included) delivers its body. A 401 asks
// IAuthenticate and shows no prompt; the body is delivered like any other.
//
// Only http and https are spoken, redirects included (at most 5 hops). A
// transfer that receives nothing for 60 s fails with
// INET_E_CONNECTION_TIMEOUT; a body past 256 MiB fails with
// INET_E_DOWNLOAD_FAILURE.
#include "win/storage_medium.h"
#include "win/types.h"
#include "win/unknown.h"

QUORLA_DEFINE_GUID(IID_IBinding, 0x79eac9c0, 0xbaf9, 0x11ce, 0x8c, 0x82, 0x00, 0xaa, 0x00, 0x4b, 0xa9, 0x0b);
QUORLA_DEFINE_GUID(IID_IBindStatusCallback, 0x79eac9c1, 0xbaf9, 0x11ce, 0x8c, 0x82, 0x00, 0xaa, 0x00, 0x4b, 0xa9,
                   0x0b);
QUORLA_DEFINE_GUID(IID_IAuthenticate, 0x79eac9d0, 0xbaf9, 0x11ce, 0x8c, 0x82, 0x00, 0xaa, 0x00, 0x4b, 0xa9, 0x0b);
QUORLA_DEFINE_GUID(IID_IHttpNegotiate, 0x79eac9d2, 0xbaf9, 0x11ce, 0x8c, 0x82, 0x00, 0xaa, 0x00, 0x4b, 0xa9, 0x0b);
QUORLA_DEFINE_GUID(IID_IBindCtx, 0x0000000e, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
QUORLA_DEFINE_GUID(IID_IMoniker, 0x0000000f, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

constexpr DWORD BINDF_ASYNCHRONOUS = 0x00000001;
constexpr DWORD BINDF_ASYNCSTORAGE = 0x00000002;
constexpr DWORD BINDF_NOPROGRESSIVERENDERING = 0x00000004;
constexpr DWORD BINDF_OFFLINEOPERATION = 0x00000008;
constexpr DWORD BINDF_GETNEWESTVERSION = 0x00000010;
constexpr DWORD BINDF_NOWRITECACHE = 0x00000020;
constexpr DWORD BINDF_NEEDFILE = 0x00000040;
constexpr DWORD BINDF_PULLDATA = 0x00000080;

constexpr DWORD BINDVERB_GET = 0;
constexpr DWORD BINDVERB_POST = 1;

constexpr DWORD BSCF_FIRSTDATANOTIFICATION = 0x1;
constexpr DWORD BSCF_INTERMEDIATEDATANOTIFICATION = 0x2;
constexpr DWORD BSCF_LASTDATANOTIFICATION = 0x4;
constexpr DWORD BSCF_DATAFULLYAVAILABLE = 0x8;

constexpr ULONG BINDSTATUS_CONNECTING = 2;
constexpr ULONG BINDSTATUS_BEGINDOWNLOADDATA = 4;
constexpr ULONG BINDSTATUS_DOWNLOADINGDATA = 5;
constexpr ULONG BINDSTATUS_ENDDOWNLOADDATA = 6;

constexpr HRESULT MK_S_ASYNCHRONOUS = 0x000401E8;
constexpr HRESULT MK_E_SYNTAX = static_cast<HRESULT>(0x800401E4u);
constexpr HRESULT INET_E_INVALID_URL = static_cast<HRESULT>(0x800C0002u);
constexpr HRESULT INET_E_CANNOT_CONNECT = static_cast<HRESULT>(0x800C0004u);
constexpr HRESULT INET_E_RESOURCE_NOT_FOUND = static_cast<HRESULT>(0x800C0005u);
constexpr HRESULT INET_E_DATA_NOT_AVAILABLE = static_cast<HRESULT>(0x800C0007u);
constexpr HRESULT INET_E_DOWNLOAD_FAILURE = static_cast<HRESULT>(0x800C0008u);
constexpr HRESULT INET_E_CONNECTION_TIMEOUT = static_cast<HRESULT>(0x800C000Bu);
constexpr HRESULT INET_E_UNKNOWN_PROTOCOL = static_cast<HRESULT>(0x800C000Du);
constexpr HRESULT INET_E_RESULT_DISPATCHED = static_cast<HRESULT>(0x800C0011u);
constexpr HRESULT INET_E_REDIRECT_FAILED = static_cast<HRESULT>(0x800C0014u);

struct BINDINFO {
  ULONG cbSize;
  LPWSTR szExtraInfo;
  STGMEDIUM stgmedData;
  DWORD grfBindInfoF;
  DWORD dwBindVerb;
  LPWSTR szCustomVerb;
  DWORD cbstgmedData;
  DWORD dwOptions;
  DWORD dwOptionsFlags;
  DWORD dwCodePage;
  void* securityAttributes;
  IID iid;
  IUnknown* pUnk;
  DWORD dwReserved;
};

// Releases what a BINDINFO holds (its medium, texts and object) and clears it
// but for cbSize.
WINAPI_EXPORT void ReleaseBindInfo(BINDINFO* info);

struct IBinding : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Abort() = 0;
  virtual HRESULT STDMETHODCALLTYPE Suspend() = 0;
  virtual HRESULT STDMETHODCALLTYPE Resume() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPriority(LONG priority) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBindResult(CLSID* protocol, DWORD* result, LPWSTR* text, DWORD* reserved) = 0;

 protected:
  ~IBinding() = default;
};

struct IBindStatusCallback : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                               LPCWSTR statusText) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* bindFlags, BINDINFO* info) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format,
                                                    STGMEDIUM* medium) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID iid, IUnknown* object) = 0;

 protected:
  ~IBindStatusCallback() = default;
};

struct IHttpNegotiate : public IUnknown {
  // *additionalHeaders: CRLF-terminated header lines from CoTaskMemAlloc
  // (freed by the layer), or null.
  virtual HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved,
                                                         LPWSTR* additionalHeaders) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnResponse(DWORD statusCode, LPCWSTR responseHeaders, LPCWSTR requestHeaders,
                                               LPWSTR* additionalRequestHeaders) = 0;

 protected:
  ~IHttpNegotiate() = default;
};

struct IAuthenticate : public IUnknown {
  // user and password come back from CoTaskMemAlloc, or null; the layer frees
  // them and does not send credentials.
  virtual HRESULT STDMETHODCALLTYPE Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) = 0;

 protected:
  ~IAuthenticate() = default;
};

// The bind context: named objects for the bind (the status callback among
// them).
struct IBindCtx : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RegisterObjectParam(LPCWSTR key, IUnknown* object) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetObjectParam(LPCWSTR key, IUnknown** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE RevokeObjectParam(LPCWSTR key) = 0;

 protected:
  ~IBindCtx() = default;
};

// The subset of monikers the system uses.
struct IMoniker : public IUnknown {
  // iid must be IID_IStream. Returns MK_S_ASYNCHRONOUS with *object null:
  // the data comes through the registered callback. A failure returned here
  // means that no callback follows.
  virtual HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* context, IMoniker* left, REFIID iid,
                                                  void** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx* context, IMoniker* left, LPWSTR* name) = 0;

 protected:
  ~IMoniker() = default;
};

QUORLA_INTERFACE_ID(IBinding, IID_IBinding);
QUORLA_INTERFACE_ID(IBindStatusCallback, IID_IBindStatusCallback);
QUORLA_INTERFACE_ID(IAuthenticate, IID_IAuthenticate);
QUORLA_INTERFACE_ID(IHttpNegotiate, IID_IHttpNegotiate);
QUORLA_INTERFACE_ID(IBindCtx, IID_IBindCtx);
QUORLA_INTERFACE_ID(IMoniker, IID_IMoniker);

// base must be null. MK_E_SYNTAX for an address without a scheme.
WINAPI_EXPORT HRESULT CreateURLMoniker(IMoniker* base, LPCWSTR url, IMoniker** out);
WINAPI_EXPORT HRESULT CreateBindCtx(DWORD reserved, IBindCtx** out);
// previous (may be null) gets the callback registered before, or null.
WINAPI_EXPORT HRESULT RegisterBindStatusCallback(IBindCtx* context, IBindStatusCallback* callback,
                                                 IBindStatusCallback** previous, DWORD reserved);

namespace quorla {
// The stall and size limits of transfers started from now on (0 restores the
// default). For tests, which cannot wait a minute or send 256 MiB.
WINAPI_EXPORT void SetUrlTransferLimits(DWORD stallMilliseconds, ULONGLONG maxBodyBytes);
// A PEM file of certificate authorities that https transfers started from
// now on trust in place of the system's bundle (null: the system's again).
// For tests, whose local TLS server has a certificate of its own.
WINAPI_EXPORT void SetUrlTrustedCertificates(const char* pemFile);
}  // namespace quorla
