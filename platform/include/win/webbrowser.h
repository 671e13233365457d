#pragma once
// The WebBrowser control: a child window showing web pages, driven through
// IWebBrowser2 and reporting to its host through DWebBrowserEvents2, whose
// sinks are advised through IConnectionPointContainer. The host hands the
// control its site through IOleObject (win/doc_host.h): the control asks it
// for the host's flags and hands it the pages' uncaught script errors, which
// never reach the user or standard error.
//
// The control lives in a library of its own, libquorla-webbrowser.so (CMake
// target quorla_webbrowser), so that only programs showing pages load the web
// engine.
//
// The control and every call to it belong to the thread that runs Qt (the
// user-interface thread). Events reach the sinks synchronously, from inside
// the engine's own notifications, while the message loop runs; a sink may
// release the control or destroy its window from inside an event, after which
// nothing more fires. Event dispatches are the control's own IDispatch for
// the top-level page and another object for a frame. Addresses are reported
// fully encoded (ASCII only), fit to be stored and loaded again.
#include "win/connection_points.h"
#include "win/doc_host.h"
#include "win/geometry.h"
#include "win/oleauto.h"

QUORLA_DEFINE_GUID(CLSID_WebBrowser, 0x8856F961, 0x340A, 0x11D0, 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2);
QUORLA_DEFINE_GUID(IID_IWebBrowser2, 0xD30C1661, 0xCDAF, 0x11D0, 0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E);
QUORLA_DEFINE_GUID(DIID_DWebBrowserEvents2, 0x34A715A0, 0x6587, 0x11D0, 0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC,
                   0x4D);

enum READYSTATE : LONG {
  READYSTATE_UNINITIALIZED = 0,
  READYSTATE_LOADING = 1,
  READYSTATE_LOADED = 2,
  READYSTATE_INTERACTIVE = 3,
  READYSTATE_COMPLETE = 4,
};

// CommandStateChange's commands.
constexpr LONG CSC_UPDATECOMMANDS = -1;
constexpr LONG CSC_NAVIGATEFORWARD = 1;
constexpr LONG CSC_NAVIGATEBACK = 2;

// Refresh2's levels.
constexpr LONG REFRESH_NORMAL = 0;
constexpr LONG REFRESH_IFEXPIRED = 1;
constexpr LONG REFRESH_COMPLETELY = 3;

struct IWebBrowser2 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GoBack() = 0;
  virtual HRESULT STDMETHODCALLTYPE GoForward() = 0;
  // Typed text gets the engine's fix-up ("127.0.0.1:8080/a" is an http
  // address); E_INVALIDARG for an empty or unusable address. Escaped bytes
  // (%XX) go out as written, except that the toolkit sends an escaped
  // letter, digit or "-._~" as the character itself (the same address by the
  // URL rules). Flags, target frame, post data and headers may be null and
  // are not used.
  virtual HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                                             VARIANT* headers) = 0;
  virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
  // level: null, or a VT_I4 of REFRESH_*; REFRESH_COMPLETELY bypasses the cache.
  virtual HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* level) = 0;
  virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
  // The control itself (its own IDispatch, the top-level events' dispatch).
  virtual HRESULT STDMETHODCALLTYPE get_Application(IDispatch** out) = 0;
  // The committed page as a document of the layer (win/mshtml.h:
  // IHTMLDocument2, IHTMLDocument3, IPersistStreamInit) built from the latest
  // snapshot of the page's markup: its URL the page's, its title the
  // engine's current one, its charset and saved source the snapshot's. Each
  // call hands out the latest snapshot and asks for a fresh one (one is taken
  // at a time; a page of 1.5 MB takes about a second). S_OK with a null
  // *out while the committed page has no snapshot yet: a commit drops the
  // previous page's.
  virtual HRESULT STDMETHODCALLTYPE get_Document(IDispatch** out) = 0;
  // The engine's title of the page, else its address.
  virtual HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* out) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* out) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* out) = 0;
  // 0 until something was navigated; 1 from a top-level navigation's
  // BeforeNavigate2 until that load finished, failed or was stopped; then 4.
  virtual HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* out) = 0;

 protected:
  ~IWebBrowser2() = default;
};
QUORLA_INTERFACE_ID(IWebBrowser2, IID_IWebBrowser2);

// The events, as typed calls. dispatch is the control's own IDispatch for the
// top-level page, another object for a frame; url is a VT_BSTR.
struct DWebBrowserEvents2 : IDispatch {
  // Each navigation the engine is asked to make, frames included, server
  // redirects not. *cancel set to VARIANT_TRUE stops it before any request
  // leaves; nothing more fires for it.
  virtual void STDMETHODCALLTYPE BeforeNavigate2(IDispatch* dispatch, VARIANT* url, VARIANT* flags,
                                                 VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers,
                                                 VARIANT_BOOL* cancel) = 0;
  // The top-level page committed (its address is the control's from now on).
  virtual void STDMETHODCALLTYPE NavigateComplete2(IDispatch* dispatch, VARIANT* url) = 0;
  // Once per top-level load ended: finished, failed or stopped. It waits
  // until a snapshot of the page taken after that end is there (at most 2 s;
  // it fires at once before a newer top-level BeforeNavigate2). The engine
  // tells no frame's completion, so none fires for frames.
  virtual void STDMETHODCALLTYPE DocumentComplete(IDispatch* dispatch, VARIANT* url) = 0;
  // A hovered link's address; empty on leaving it and when a load ends.
  virtual void STDMETHODCALLTYPE StatusTextChange(BSTR text) = 0;
  virtual void STDMETHODCALLTYPE TitleChange(BSTR title) = 0;
  // Back (CSC_NAVIGATEBACK) and forward (CSC_NAVIGATEFORWARD), both reported
  // whenever either changes; both false before the first commit.
  virtual void STDMETHODCALLTYPE CommandStateChange(LONG command, VARIANT_BOOL enable) = 0;
  // The page asks for a new window: a clicked link with a target of its own
  // or a script's window.open in a click handler (windows that no user action
  // opened are refused before they are asked about). *dispatch arrives null:
  // the host answers with the Application object of a new control of this
  // library, usually hidden; the pop-up then loads there, and that control
  // fires BeforeNavigate2 for it once ("about:blank" for an empty address)
  // before anything is requested. Cancel, or any other answer, drops the
  // pop-up unrequested.
  virtual void STDMETHODCALLTYPE NewWindow2(IDispatch** dispatch, VARIANT_BOOL* cancel) = 0;

 protected:
  ~DWebBrowserEvents2() = default;
};
QUORLA_INTERFACE_ID(DWebBrowserEvents2, DIID_DWebBrowserEvents2);

// Creates the control as a child window of parent with the given style (WS_CHILD
// is added), rectangle in the parent's client coordinates and control
// identifier. *window receives the control's window, *browser one reference
// to the control. The control's final Release destroys its window if it
// still exists; a window destroyed first (with its parent) leaves a control
// that does nothing and fires nothing. E_INVALIDARG without a parent or out
// pointers; E_FAIL off the thread that runs Qt.
WINAPI_EXPORT HRESULT CreateWebBrowserControl(HWND parent, DWORD style, const RECT* rect, UINT id, HWND* window,
                                              IWebBrowser2** browser);
