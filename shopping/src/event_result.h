#pragma once
// CEventResult: the result object the shopping engine hands the download
// queue for one download. It forwards to a "Gravik.CFAsyncResult" made by
// name through this library's loader, which it has told to set an event of
// its own: a manual-reset event, not set at first, that lives exactly as
// long as this object. Whoever lets go of the last reference (the requester,
// or the download worker once it has reported or dropped the request)
// closes the event, so a download that completes after its requester gave
// up waiting still sets a valid event, never a closed handle or one that
// has been reused for something else.
//
// Threads: the requester makes it and waits; the download worker calls
// SetResult once; the requester reads the result only after the event is
// set. The reference count is atomic. The notification cannot be changed:
// SetNotifyWindow and SetNotifyEvent answer E_NOTIMPL.
#include "framework/com_object.h"
#include "framework/com_ptr.h"
#include "kernel/async_result.h"

class CEventResult : public S_COM::CSComObjectRoot<CEventResult>, public IFAsyncResult {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CEventResult)
  S_COM_INTERFACE_ENTRY(IFAsyncResult)
  S_COM_END_INTERFACE_MAP()

  CEventResult() = default;
  ~CEventResult();

  // Makes the Gravik result and the event; either failing fails the creation.
  HRESULT FinalConstruct() override;

  HRESULT SetNotifyWindow(HWND window, UINT message) override;
  HRESULT SetNotifyEvent(HANDLE event) override;
  HRESULT GetUserData(int* out) override;
  HRESULT SetUserData(int value) override;
  HRESULT SetResult(int status, IUnknown* object) override;
  HRESULT GetResult(int* status, IUnknown** object) override;

 private:
  friend HRESULT CreateEventResult(S_COM::ComPtr<IFAsyncResult>& result, HANDLE& event);

  S_COM::ComPtr<IFAsyncResult> m_inner;
  HANDLE m_event = nullptr;
};

// A new result and its event, which stays valid while result is held.
// E_FAIL when the Gravik result or the event cannot be made.
HRESULT CreateEventResult(S_COM::ComPtr<IFAsyncResult>& result, HANDLE& event);
