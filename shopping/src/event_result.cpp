#include "event_result.h"

#include "framework/module_loader.h"
#include "win/events.h"
#include "win/handles.h"

CEventResult::~CEventResult() {
  // The Gravik result goes first: nothing can set the event after this.
  m_inner.Reset();
  if (m_event) CloseHandle(m_event);
}

HRESULT CEventResult::FinalConstruct() {
  if (FAILED(CreateObject<IFAsyncResult>(u"Gravik.CFAsyncResult", m_inner.Put())) || !m_inner) return E_FAIL;
  m_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!m_event) return E_FAIL;
  return m_inner->SetNotifyEvent(m_event);
}

HRESULT CEventResult::SetNotifyWindow(HWND, UINT) { return E_NOTIMPL; }
HRESULT CEventResult::SetNotifyEvent(HANDLE) { return E_NOTIMPL; }
HRESULT CEventResult::GetUserData(int* out) { return m_inner->GetUserData(out); }
HRESULT CEventResult::SetUserData(int value) { return m_inner->SetUserData(value); }
HRESULT CEventResult::SetResult(int status, IUnknown* object) { return m_inner->SetResult(status, object); }
HRESULT CEventResult::GetResult(int* status, IUnknown** object) { return m_inner->GetResult(status, object); }

HRESULT CreateEventResult(S_COM::ComPtr<IFAsyncResult>& result, HANDLE& event) {
  S_COM::ComPtr<IFAsyncResult> made;
  if (FAILED(S_COM::CSAggregateObject<CEventResult>::CreateInstance(nullptr, IID_IFAsyncResult, made.PutVoid())) ||
      !made)
    return E_FAIL;
  event = static_cast<CEventResult*>(made.Get())->m_event;
  result = std::move(made);
  return S_OK;
}
