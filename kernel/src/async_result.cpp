#include "async_result.h"

#include "win/events.h"
#include "win/messages.h"
#include "win/window_objects.h"

CFAsyncResult::~CFAsyncResult() {
  if (m_object) m_object->Release();
}

HRESULT CFAsyncResult::SetNotifyWindow(HWND window, UINT message) {
  m_mode = AsyncNotifyWindow;
  m_window = window;
  m_message = message;
  return S_OK;
}

HRESULT CFAsyncResult::SetNotifyEvent(HANDLE event) {
  m_mode = AsyncNotifyEvent;
  m_event = event;
  return S_OK;
}

HRESULT CFAsyncResult::GetUserData(int* out) {
  if (!out) return E_FAIL;
  *out = m_userData;
  return S_OK;
}

HRESULT CFAsyncResult::SetUserData(int value) {
  m_userData = value;
  return S_OK;
}

HRESULT CFAsyncResult::SetResult(int status, IUnknown* object) {
  m_status = status;
  if (object != m_object) {
    if (object) object->AddRef();
    if (m_object) m_object->Release();
    m_object = object;
  }
  switch (m_mode) {
    case AsyncNotifyWindow:
      if (m_window && IsWindow(m_window)) PostMessageW(m_window, m_message, 0, 0);
      break;
    case AsyncNotifyEvent:
      if (m_event) SetEvent(m_event);
      break;
    default:
      break;
  }
  return S_OK;
}

HRESULT CFAsyncResult::GetResult(int* status, IUnknown** object) {
  if (status) *status = m_status;
  if (object && m_object) {
    m_object->AddRef();
    *object = m_object;
  }
  return S_OK;
}
