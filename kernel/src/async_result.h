#pragma once
// CFAsyncResult: the completion record behind IFAsyncResult. Holds one
// reference to its result object; the window and event are not owned. Used
// by two threads in turn: the requester sets it up, the worker calls
// SetResult once, the requester reads after being told.
#include "framework/com_object.h"
#include "kernel/async_result.h"

class CFAsyncResult : public S_COM::CSComObjectRoot<CFAsyncResult>, public IFAsyncResult {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CFAsyncResult)
  S_COM_INTERFACE_ENTRY(IFAsyncResult)
  S_COM_END_INTERFACE_MAP()

  CFAsyncResult() = default;
  ~CFAsyncResult();

  HRESULT SetNotifyWindow(HWND window, UINT message) override;
  HRESULT SetNotifyEvent(HANDLE event) override;
  HRESULT GetUserData(int* out) override;
  HRESULT SetUserData(int value) override;
  HRESULT SetResult(int status, IUnknown* object) override;
  HRESULT GetResult(int* status, IUnknown** object) override;

 private:
  AsyncNotifyMode m_mode = AsyncNotifyNone;
  HWND m_window = nullptr;
  UINT m_message = 0;
  HANDLE m_event = nullptr;
  int m_status = 0;
  int m_userData = 0;
  IUnknown* m_object = nullptr;
};
