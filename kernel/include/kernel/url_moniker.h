#pragma once
// IUrlMoniker: one asynchronous URL download ("Gravik.CUrlMoniker"). The
// body is gathered in memory; the completion function is called on the
// thread that called Start, which must pump messages until then.
#include "win/base.h"

// {6A1C0E54-3B7D-4F1E-9C2A-8D5E4B7F1A04}
QUORLA_DEFINE_GUID(IID_IUrlMoniker, 0x6a1c0e54, 0x3b7d, 0x4f1e, 0x9c, 0x2a, 0x8d, 0x5e, 0x4b, 0x7f, 0x1a, 0x04);

enum UrlState : int {
  UrlStateIdle = 0,
  UrlStateRunning = 1,
  UrlStateFailed = 2,
  UrlStateDone = 3,
};

// (context, state, 0); the result is not used.
using UrlMonikerCallback = int (*)(int context, int state, int reserved);

class IUrlMoniker : public IUnknown {
 public:
  // A POST when postData is not null and postSize is not 0, else a GET.
  // E_FAIL while running. A failure returned here means the completion
  // function will not be called.
  virtual HRESULT Start(LPCWSTR url, const void* postData, unsigned postSize) = 0;
  // E_INVALIDARG when no transfer is running.
  virtual HRESULT Abort() = 0;
  virtual int GetState() = 0;
  // Body size and body (followed by a NUL byte) once the state is
  // UrlStateDone; 0 and null otherwise.
  virtual unsigned GetDataSize() = 0;
  virtual char* GetData() = 0;
  // E_FAIL for a null function.
  virtual HRESULT SetCallback(UrlMonikerCallback callback, int context) = 0;

 protected:
  ~IUrlMoniker() = default;
};
QUORLA_INTERFACE_ID(IUrlMoniker, IID_IUrlMoniker);
