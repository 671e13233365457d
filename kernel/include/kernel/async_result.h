#pragma once
// IFAsyncResult: the completion record of one asynchronous operation
// ("Gravik.CFAsyncResult"). The requester chooses how it is told (a posted
// window message or an event) and may attach a number of its own; the worker
// stores a status and a result object and fires the notification. The
// requester reads the result only after being told, which orders the two
// threads.
#include "win/base.h"

// {6A1C0E52-3B7D-4F1E-9C2A-8D5E4B7F1A02}
QUORLA_DEFINE_GUID(IID_IFAsyncResult, 0x6a1c0e52, 0x3b7d, 0x4f1e, 0x9c, 0x2a, 0x8d, 0x5e, 0x4b, 0x7f, 0x1a, 0x02);

enum AsyncNotifyMode : int {
  AsyncNotifyNone = 0,
  AsyncNotifyWindow = 1,
  AsyncNotifyEvent = 2,
};

class IFAsyncResult : public IUnknown {
 public:
  // Mode 1: post message (wParam 0, lParam 0) to window on completion.
  virtual HRESULT SetNotifyWindow(HWND window, UINT message) = 0;
  // Mode 2: set the event on completion (the event is not owned).
  virtual HRESULT SetNotifyEvent(HANDLE event) = 0;
  // E_FAIL when out is null.
  virtual HRESULT GetUserData(int* out) = 0;
  virtual HRESULT SetUserData(int value) = 0;
  // Stores status and the object (a reference held) and notifies.
  virtual HRESULT SetResult(int status, IUnknown* object) = 0;
  // Writes the status when status is not null, and the object with a
  // reference for the caller when one is held; otherwise *object is left
  // as it was.
  virtual HRESULT GetResult(int* status, IUnknown** object) = 0;

 protected:
  ~IFAsyncResult() = default;
};
QUORLA_INTERFACE_ID(IFAsyncResult, IID_IFAsyncResult);
