#pragma once
// The WebBrowser control (win/webbrowser.h): one engine page shown by one
// engine view inside a child window of the layer, turned into the control's
// properties and events.
//
// Owned by its COM references; the window holds none. The window is the
// control's: the final Release destroys it, and a window destroyed first
// (with its parent) detaches the engine objects, which are deleted later,
// never inside one of their own callbacks. Used on the thread that runs Qt.
#include <QPointer>
#include <QUrl>
#include <deque>
#include <utility>
#include <vector>

#include "layer_object.h"
#include "web_page_qt.h"
#include "win/webbrowser.h"

class QWebEngineView;
class QWebEngineLoadingInfo;

namespace quorla {

class WebBrowserControl final : public LayerObject<IWebBrowser2>, public IConnectionPointContainer {
 public:
  // Creates the window too; null when it cannot be made.
  static WebBrowserControl* Create(HWND parent, DWORD style, const RECT& rect, UINT id);
  HWND Window() const { return hwnd_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return LayerObject<IWebBrowser2>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return LayerObject<IWebBrowser2>::Release(); }

  // IWebBrowser2
  HRESULT STDMETHODCALLTYPE GoBack() override;
  HRESULT STDMETHODCALLTYPE GoForward() override;
  HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                                     VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* level) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* out) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // From the window's procedure.
  void PlaceView();
  void WindowGone();

 private:
  // The one connection point, counted with the control.
  class EventPoint final : public IConnectionPoint {
   public:
    explicit EventPoint(WebBrowserControl& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;

   private:
    WebBrowserControl& owner_;
  };

  WebBrowserControl() : events_(*this) {}
  ~WebBrowserControl() override;
  void MakeEngineObjects();
  void DropEngineObjects();

  // The engine's notifications.
  bool OnNavigationQuestion(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame);
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnCommitSign(const QUrl& url);
  void OnTitleChanged(const QString& title);
  void OnLinkHovered(const QString& url);
  void OnActionsChanged();

  // Calls each advised sink while the control lives on; the control and the
  // sinks are held for the duration, so a sink may release them.
  template <typename Call>
  void Fire(Call call);
  void FireCommandStates();
  IDispatch* OwnDispatch() { return static_cast<IWebBrowser2*>(this); }

  EventPoint events_;
  HWND hwnd_ = nullptr;
  QPointer<WebPage> page_;
  QPointer<QWebEngineView> view_;
  std::vector<std::pair<DWORD, DWebBrowserEvents2*>> sinks_;
  DWORD nextCookie_ = 1;
  READYSTATE ready_ = READYSTATE_UNINITIALIZED;
  // The top-level load under way, as the engine's load signals tell it.
  bool loading_ = false;
  bool committed_ = false;
  // The engine still reports loads of refused navigations; these are the
  // refused addresses whose report has not come yet, and whether the load
  // being reported is one of them.
  std::deque<QUrl> refused_;
  bool reportingRefused_ = false;
  bool canGoBack_ = false;
  bool canGoForward_ = false;
};

}  // namespace quorla
