#pragma once
// CHtmlView: a window showing web pages through the WebBrowser control,
// which fills it. The control's events reach the virtual handlers below,
// synchronously, while the message loop runs; those that carry a dispatch
// get the one the control fired with, which is the control's own
// (IsBrowserDispatch) for the page itself and another object for a frame.
//
// Lifetime. The view is made with new and deleted by its owner: the
// framework never deletes it, not even when its window goes (the control
// is let go then, and the view fires nothing more). A handler may delete
// its view (delete this); nothing of the view is touched afterwards.
// Deleting a view lets its control go and destroys its window.
//
// Needs AfxEnableControlContainer; used on the user-interface thread only.
#include "afx/ole_control_site.h"
#include "afx/string.h"
#include "afx/wnd.h"
#include "win/webbrowser.h"

using LPDISPATCH = IDispatch*;

// The identifier of the control inside its view.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

class CHtmlView : public CWnd {
 public:
  CHtmlView();
  ~CHtmlView() override;

  // Creates the view's window, then the control over its whole client area
  // through the site CreateControlSite gives. FALSE, with no window left,
  // when either cannot be made.
  BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              CCreateContext* context = nullptr) override;

  // The control's operations; each does nothing without a control.
  void Navigate(LPCWSTR url, DWORD flags = 0, LPCWSTR targetFrameName = nullptr, LPCWSTR headers = nullptr);
  void Navigate2(LPCWSTR url, DWORD flags = 0, LPCWSTR targetFrameName = nullptr, LPCWSTR headers = nullptr);
  void GoBack();
  void GoForward();
  void Refresh();
  // REFRESH_NORMAL, REFRESH_IFEXPIRED or REFRESH_COMPLETELY.
  void Refresh2(int level);
  void Stop();
  CString GetLocationURL() const;
  CString GetLocationName() const;
  READYSTATE GetReadyState() const;
  BOOL GetBusy() const;
  // One reference for the caller, or null: the page's document, and the
  // control itself as the browser's application object.
  LPDISPATCH GetHtmlDocument() const;
  LPDISPATCH GetApplication() const;
  // Whether an event's dispatch is the control's own (the page itself).
  BOOL IsBrowserDispatch(LPDISPATCH dispatch) const;
  HWND GetBrowserWindow() const { return m_hWndBrowser; }

  // The control's events, public as the framework has them; the defaults
  // do nothing (cancel stays FALSE, no new window is given).
  virtual void OnBeforeNavigate2(LPDISPATCH dispatch, LPCWSTR url, DWORD flags, LPCWSTR targetFrameName,
                                 const VARIANT* postedData, LPCWSTR headers, BOOL* cancel);
  virtual void OnNavigateComplete2(LPDISPATCH dispatch, VARIANT* url);
  virtual void OnDocumentComplete(LPDISPATCH dispatch, VARIANT* url);
  virtual void OnStatusTextChange(LPCWSTR text);
  virtual void OnTitleChange(LPCWSTR title);
  virtual void OnCommandStateChange(long command, BOOL enable);
  // *dispatch: another browser's application object (one reference) that
  // shows the new window; left null, the window is not opened.
  virtual void OnNewWindow2(LPDISPATCH* dispatch, BOOL* cancel);

  IWebBrowser2* m_pBrowserApp = nullptr;

 protected:
  // The site the control is given: a COleControlSite for the container by
  // default. TRUE with *site set (null: the default site is used).
  virtual BOOL CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT id, REFCLSID clsid);
  // The flags the control asks its host for; S_OK and unchanged by default.
  virtual HRESULT OnGetHostInfo(DOCHOSTUIINFO* info);

  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg void OnSetFocus(CWnd* old);
  DECLARE_MESSAGE_MAP()

 private:
  class Events;
  class Container;
  friend class Events;
  friend class Container;

  bool CreateBrowser();
  void LetBrowserGo();

  HWND m_hWndBrowser = nullptr;
  COleControlSite* m_pSite = nullptr;
  Container* m_pContainer = nullptr;
  Events* m_pEvents = nullptr;
  DWORD m_eventsCookie = 0;
};
