// Control sites: the control made in the container's window, and the
// host's answers it asks for.
#include "afx/ole_control_site.h"

#include "win/webbrowser.h"

namespace {

bool g_containerEnabled = false;

// Hands the control a site, or takes it back with null.
void SetSiteOf(IUnknown* control, IOleClientSite* site) {
  IOleObject* object = nullptr;
  if (FAILED(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object))) || !object) return;
  object->SetClientSite(site);
  object->Release();
}

}  // namespace

void AfxEnableControlContainer() { g_containerEnabled = true; }
bool AfxControlContainerEnabled() { return g_containerEnabled; }

HRESULT COleControlContainer::OnGetHostInfo(DOCHOSTUIINFO*) { return S_OK; }

COleControlSite::COleControlSite(COleControlContainer* container) : m_pCtrlCont(container) {}

COleControlSite::~COleControlSite() { ReleaseControl(); }

HRESULT COleControlSite::CreateControl(REFCLSID clsid, LPCWSTR, DWORD style, const RECT& rect, UINT id) {
  if (clsid != CLSID_WebBrowser) return REGDB_E_CLASSNOTREG;
  if (!g_containerEnabled || m_pObject || !m_pCtrlCont || !m_pCtrlCont->m_pWnd) return E_FAIL;
  HWND window = nullptr;
  IWebBrowser2* browser = nullptr;
  HRESULT hr = ::CreateWebBrowserControl(m_pCtrlCont->m_pWnd->GetSafeHwnd(), style, &rect, id, &window, &browser);
  if (FAILED(hr)) return hr;
  if (!browser) return E_FAIL;
  m_pObject = browser;
  m_hWnd = window;
  m_nID = id;
  SetSiteOf(m_pObject, &m_xOleClientSite);
  return S_OK;
}

void COleControlSite::ReleaseControl() {
  IUnknown* control = m_pObject;
  m_pObject = nullptr;
  m_hWnd = nullptr;
  if (!control) return;
  // The control holds its site: without this the two would keep each other.
  SetSiteOf(control, nullptr);
  control->Release();
}

ULONG COleControlSite::XOleClientSite::AddRef() {
  METHOD_PROLOGUE(COleControlSite, OleClientSite)
  return pThis->ExternalAddRef();
}

ULONG COleControlSite::XOleClientSite::Release() {
  METHOD_PROLOGUE(COleControlSite, OleClientSite)
  return pThis->ExternalRelease();
}

HRESULT COleControlSite::XOleClientSite::QueryInterface(REFIID iid, void** out) {
  METHOD_PROLOGUE(COleControlSite, OleClientSite)
  return pThis->ExternalQueryInterface(&iid, out);
}

ULONG COleControlSite::XDocHostUIHandler::AddRef() {
  METHOD_PROLOGUE(COleControlSite, DocHostUIHandler)
  return pThis->ExternalAddRef();
}

ULONG COleControlSite::XDocHostUIHandler::Release() {
  METHOD_PROLOGUE(COleControlSite, DocHostUIHandler)
  return pThis->ExternalRelease();
}

HRESULT COleControlSite::XDocHostUIHandler::QueryInterface(REFIID iid, void** out) {
  METHOD_PROLOGUE(COleControlSite, DocHostUIHandler)
  return pThis->ExternalQueryInterface(&iid, out);
}

HRESULT COleControlSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* info) {
  METHOD_PROLOGUE(COleControlSite, DocHostUIHandler)
  if (!info) return E_POINTER;
  return pThis->m_pCtrlCont ? pThis->m_pCtrlCont->OnGetHostInfo(info) : S_OK;
}

BEGIN_INTERFACE_MAP(COleControlSite, CCmdTarget)
  INTERFACE_PART(COleControlSite, IID_IOleClientSite, OleClientSite)
  INTERFACE_PART(COleControlSite, IID_IDocHostUIHandler, DocHostUIHandler)
END_INTERFACE_MAP()
