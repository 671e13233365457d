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
#include <cstdint>
#include <deque>
#include <memory>

#include "event_sinks.h"
#include "host_site.h"
#include "page_input_registration_qt.h"
#include "layer_object.h"
#include "page_snapshots.h"
#include "web_page_qt.h"
#include "win/webbrowser.h"

class QWebEngineView;
class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;

// Answered only by the controls of this library: the control itself, with a
// reference. A host's answer to NewWindow2 is recognised by it.
QUORLA_DEFINE_GUID(IID_QuorlaWebBrowserControl, 0x6A1D3C52, 0x0E4B, 0x4C3F, 0x9D, 0x27, 0x51, 0x88, 0x3A, 0x0C, 0x7E,
                   0x14);

namespace quorla {

class WebBrowserControl final : public LayerObject<IWebBrowser2>,
                                public IConnectionPointContainer,
                                public IOleObject {
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

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;

  // From the window's procedure.
  void PlaceView();
  void WindowGone();

 private:
  WebBrowserControl() : events_(*this) {}
  ~WebBrowserControl() override;
  void MakeEngineObjects();
  void DropEngineObjects();
  bool Live() const { return page_ != nullptr; }

  // The engine's notifications.
  bool OnNavigationQuestion(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame);
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  void OnCommitSign(const QUrl& url);
  void OnTitleChanged(const QString& title);
  void OnLinkHovered(const QString& url);
  void OnActionsChanged();
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);
  void OnSnapshotKept(std::uint64_t serial);

  // Goes to an address as written, through a script in the page shown.
  void GoExactly(const QString& exact, const QUrl& fallback, bool replace);
  // The control's own empty page has loaded (or failed): on to the address
  // it was loaded for.
  void LeaveBlankOfOwn(bool loaded);

  // A pop-up handed to this (new) control: its BeforeNavigate2, then the
  // engine's load, or nothing at all when the host cancels.
  void AdoptPopup(QWebEngineNewWindowRequest& request);
  // BeforeNavigate2 with the given dispatch; true when the host lets it go.
  bool AskBeforeNavigate(IDispatch* dispatch, const QString& address);
  // The top-level load's end, told once its snapshot is there (or its time
  // is up, or a newer navigation starts).
  void FinishCompletion();

  void Fire(const std::function<void(DWebBrowserEvents2*)>& call);
  void FireCommandStates();
  IDispatch* OwnDispatch() { return static_cast<IWebBrowser2*>(this); }

  EventSinks events_;
  HostSite site_;
  HWND hwnd_ = nullptr;
  QPointer<WebPage> page_;
  QPointer<QWebEngineView> view_;
  std::unique_ptr<PageSnapshots> snapshots_;
  // Where pages are shown on a screen: the view hosted behind the window,
  // its input through the layer.
  std::unique_ptr<PageInputRegistration> input_;
  READYSTATE ready_ = READYSTATE_UNINITIALIZED;
  // The top-level load under way, as the engine's load signals tell it.
  bool loading_ = false;
  bool committed_ = false;
  // The engine still reports loads of refused navigations; these are the
  // refused addresses whose report has not come yet, and whether the load
  // being reported is one of them.
  std::deque<QUrl> refused_;
  bool reportingRefused_ = false;
  // A pop-up's address (or one the control went on to from its own empty
  // page), already told in its BeforeNavigate2: the engine's own question
  // about it is answered without a second one.
  QUrl popupAsked_;
  // A load ended whose DocumentComplete waits for a snapshot started after
  // its end (a serial above completionMark_).
  bool completionPending_ = false;
  std::uint64_t completionMark_ = 0;
  std::uint64_t completions_ = 0;
  QUrl completionUrl_;
  // The control's own empty page, shown so that a script can go on to an
  // address as written: none of its events reach the host, from its load
  // until the question about that address.
  bool blankOfOwn_ = false;
  bool reportingBlank_ = false;
  QString exactPending_;
  QUrl exactFallback_;
  // The pointer is over a link whose address the status text shows.
  bool hoveringLink_ = false;
  bool canGoBack_ = false;
  bool canGoForward_ = false;
  // Expires with the control, for the engine's deferred calls.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace quorla
