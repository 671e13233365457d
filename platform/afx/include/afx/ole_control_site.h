#pragma once
// Hosting controls in a framework window: the container (the window's side)
// and one site per control, through which the control asks its host
// questions (its user-interface flags, commands such as what to do after a
// script error). A site is a CCmdTarget: a class derived from it adds the
// interfaces it answers through its interface map. The only control offered
// is the WebBrowser control (CLSID_WebBrowser).
//
// Hosting needs AfxEnableControlContainer first (the application's
// InitInstance calls it); without it no control is created.
#include "afx/cmd_target.h"
#include "afx/wnd.h"
#include "win/doc_host.h"

class COleControlContainer {
 public:
  explicit COleControlContainer(CWnd* wnd) : m_pWnd(wnd) {}
  virtual ~COleControlContainer() = default;
  COleControlContainer(const COleControlContainer&) = delete;
  COleControlContainer& operator=(const COleControlContainer&) = delete;

  // Asked by a site when its control wants the host's flags: S_OK and
  // nothing changed unless a container says otherwise.
  virtual HRESULT OnGetHostInfo(DOCHOSTUIINFO* info);

  CWnd* m_pWnd;  // the window that holds the controls
};

class COleControlSite : public CCmdTarget {
 public:
  explicit COleControlSite(COleControlContainer* container);
  ~COleControlSite() override;

  // Creates the control's window as a child of the container's window and
  // hands it this site (IOleObject::SetClientSite), which it then asks for
  // the container's flags. REGDB_E_CLASSNOTREG for a control other than the
  // WebBrowser, E_FAIL when control containers are not enabled or the
  // control cannot be made.
  virtual HRESULT CreateControl(REFCLSID clsid, LPCWSTR windowName, DWORD style, const RECT& rect, UINT id);

  // The control (its IUnknown, one reference held by the site until the
  // site goes or ReleaseControl); null before CreateControl succeeded.
  IUnknown* GetControlUnknown() const { return m_pObject; }
  // Takes this site back from the control and lets the control go: its
  // window goes with its last reference.
  void ReleaseControl();

  COleControlContainer* m_pCtrlCont;
  HWND m_hWnd = nullptr;  // the control's window
  UINT m_nID = 0;
  IUnknown* m_pObject = nullptr;

 protected:
  // The site's identity for the control, which asks it for the other parts.
  BEGIN_INTERFACE_PART(OleClientSite, IOleClientSite)
  END_INTERFACE_PART(OleClientSite)
  BEGIN_INTERFACE_PART(DocHostUIHandler, IDocHostUIHandler)
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
  END_INTERFACE_PART(DocHostUIHandler)
  DECLARE_INTERFACE_MAP()
};

// Turns on the hosting of controls for the process.
void AfxEnableControlContainer();
bool AfxControlContainerEnabled();
