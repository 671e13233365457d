#include "web_browser_control.h"

#include <QAction>
#include <QGuiApplication>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "web_address.h"
#include "web_browser_window.h"
#include "web_engine_setup_qt.h"
#include "window_access.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

// The engine's view draws through OpenGL, which platforms without a screen
// (offscreen, minimal) lack: shown there, the view's compositor crashes at
// its first focus. Pages load, run and answer all the same while hidden.
bool PlatformShowsPages() {
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

WebBrowserControl* WebBrowserControl::Create(HWND parent, DWORD style, const RECT& rect, UINT id) {
  auto* control = new WebBrowserControl();
  control->hwnd_ = CreateWebBrowserWindow(parent, style, rect, id, control);
  if (!control->hwnd_) {
    control->Release();
    return nullptr;
  }
  control->MakeEngineObjects();
  control->PlaceView();
  return control;
}

WebBrowserControl::~WebBrowserControl() {
  events_.Clear();
  site_.Set(nullptr);
  if (hwnd_) DestroyWindow(hwnd_);  // its WM_NCDESTROY lands in WindowGone
  DropEngineObjects();
}

void WebBrowserControl::MakeEngineObjects() {
  page_ = new WebPage(
      WebEngineProfile(),
      [this](const QUrl& url, QWebEnginePage::NavigationType type, bool main) {
        return OnNavigationQuestion(url, type, main);
      },
      [this] { site_.ReportScriptError(); });
  page_->SetDialogOwner(hwnd_);
  snapshots_ = std::make_unique<PageSnapshots>(page_, [this](std::uint64_t serial) { OnSnapshotKept(serial); });
  view_ = new QWebEngineView();
  view_->setPage(page_);
  view_->setAttribute(Qt::WA_DontShowOnScreen, false);
  QObject::connect(page_, &QWebEnginePage::loadingChanged, page_,
                   [this](const QWebEngineLoadingInfo& info) { OnLoadingChanged(info); });
  QObject::connect(page_, &QWebEnginePage::urlChanged, page_, [this](const QUrl& url) { OnCommitSign(url); });
  QObject::connect(page_, &QWebEnginePage::titleChanged, page_,
                   [this](const QString& title) { OnTitleChanged(title); });
  QObject::connect(page_, &QWebEnginePage::linkHovered, page_, [this](const QString& url) { OnLinkHovered(url); });
  QObject::connect(page_, &QWebEnginePage::newWindowRequested, page_,
                   [this](QWebEngineNewWindowRequest& request) { OnNewWindowRequested(request); });
  for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
    QObject::connect(page_->action(action), &QAction::changed, page_, [this] { OnActionsChanged(); });
  if (PlatformShowsPages()) input_ = std::make_unique<PageInputRegistration>(hwnd_, view_);
}

void WebBrowserControl::DropEngineObjects() {
  // Nothing of a snapshot under way or a completion waiting reaches a control
  // without its page.
  snapshots_.reset();
  input_.reset();
  completionPending_ = false;
  // Pages die later: this may run inside one of the page's own signals.
  if (page_) {
    page_->Detach();
    QObject::disconnect(page_, nullptr, nullptr, nullptr);
    for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
      QObject::disconnect(page_->action(action), nullptr, nullptr, nullptr);
  }
  if (view_) {
    view_->hide();
    view_->deleteLater();
  }
  if (page_) page_->deleteLater();
  view_ = nullptr;
  page_ = nullptr;
}

void WebBrowserControl::WindowGone() {
  hwnd_ = nullptr;
  DropEngineObjects();
}

void WebBrowserControl::PlaceView() {
  if (!hwnd_ || !view_) return;
  if (input_) {
    input_->Place();
    return;
  }
  // Without a screen the view stays hidden, placed all the same (a page
  // reads its size).
  HWND root = hwnd_;
  while (HWND up = GetParent(root)) root = up;
  QWidget* host = WidgetOfWindow(root);
  if (host && view_->parentWidget() != host) view_->setParent(host);
  RECT client{};
  GetClientRect(hwnd_, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  RECT rootRect{};
  GetWindowRect(root, &rootRect);
  view_->setGeometry(origin.x - (host ? rootRect.left : 0), origin.y - (host ? rootRect.top : 0),
                     client.right - client.left, client.bottom - client.top);
  const bool visible = host && IsWindowVisible(hwnd_) && PlatformShowsPages();
  if (visible != view_->isVisible()) view_->setVisible(visible);
}

HRESULT WebBrowserControl::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  void* itf = nullptr;
  if (iid == IID_IConnectionPointContainer) itf = static_cast<IConnectionPointContainer*>(this);
  if (iid == IID_IOleObject) itf = static_cast<IOleObject*>(this);
  if (iid == IID_QuorlaWebBrowserControl) itf = this;
  if (itf) {
    AddRef();
    *out = itf;
    return S_OK;
  }
  return QueryFor(iid, out, {&IID_IDispatch, &IID_IWebBrowser2});
}

// ---- navigation --------------------------------------------------------

HRESULT WebBrowserControl::Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  if (!page_) return E_FAIL;
  if (!url || SysStringLen(url) == 0) return E_INVALIDARG;
  const QString typed = QString::fromUtf16(url, SysStringLen(url));
  const QUrl target = AddressFromTypedText(typed);
  if (target.isEmpty()) return E_INVALIDARG;
  PlaceView();
  // The engine takes addresses only in the toolkit's address type, which
  // decodes an escaped letter or digit; a page's own script hands it the
  // text as written. Without a page to run it in, the control first shows
  // an empty page of its own, which nobody hears of.
  const QString exact = ExactAddressText(typed);
  if (exact.isEmpty()) {
    page_->load(target);
  } else if (ready_ == READYSTATE_COMPLETE && !blankOfOwn_ &&
             (page_->url().scheme() == QLatin1String("http") || page_->url().scheme() == QLatin1String("https"))) {
    GoExactly(exact, target, false);
  } else {
    blankOfOwn_ = true;
    exactPending_ = exact;
    exactFallback_ = target;
    page_->load(QUrl(QStringLiteral("about:blank")));
  }
  return S_OK;
}

void WebBrowserControl::GoExactly(const QString& exact, const QUrl& fallback, bool replace) {
  if (!page_) return;
  std::weak_ptr<int> alive = alive_;
  page_->runJavaScript(ExactNavigationScript(exact, replace), QWebEngineScript::ApplicationWorld,
                       [this, alive, fallback](const QVariant& asked) {
                         // A page that ran nothing still goes, as near as the engine can.
                         if (!alive.expired() && page_ && !asked.toBool()) page_->load(fallback);
                       });
}

HRESULT WebBrowserControl::GoBack() {
  if (!page_ || !page_->history()->canGoBack()) return E_FAIL;
  page_->triggerAction(QWebEnginePage::Back);
  return S_OK;
}

HRESULT WebBrowserControl::GoForward() {
  if (!page_ || !page_->history()->canGoForward()) return E_FAIL;
  page_->triggerAction(QWebEnginePage::Forward);
  return S_OK;
}

HRESULT WebBrowserControl::Refresh() { return Refresh2(nullptr); }

HRESULT WebBrowserControl::Refresh2(VARIANT* level) {
  if (!page_) return E_FAIL;
  const bool completely = level && level->vt == VT_I4 && level->lVal == REFRESH_COMPLETELY;
  page_->triggerAction(completely ? QWebEnginePage::ReloadAndBypassCache : QWebEnginePage::Reload);
  return S_OK;
}

HRESULT WebBrowserControl::Stop() {
  if (!page_) return E_FAIL;
  page_->triggerAction(QWebEnginePage::Stop);
  return S_OK;
}

// ---- properties --------------------------------------------------------

HRESULT WebBrowserControl::get_Application(IDispatch** out) {
  if (!out) return E_POINTER;
  AddRef();
  *out = OwnDispatch();
  return S_OK;
}

HRESULT WebBrowserControl::get_Document(IDispatch** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!snapshots_) return S_OK;
  *out = snapshots_->Latest();
  snapshots_->Request();
  return S_OK;
}

HRESULT WebBrowserControl::get_LocationURL(BSTR* out) {
  if (!out) return E_POINTER;
  *out = ToBstr(page_ ? EncodedAddress(page_->url()) : QString());
  return S_OK;
}

HRESULT WebBrowserControl::get_LocationName(BSTR* out) {
  if (!out) return E_POINTER;
  QString name = page_ ? page_->title() : QString();
  if (name.isEmpty() && page_) name = EncodedAddress(page_->url());
  *out = ToBstr(name);
  return S_OK;
}

HRESULT WebBrowserControl::get_Busy(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = ready_ == READYSTATE_LOADING ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT WebBrowserControl::get_ReadyState(READYSTATE* out) {
  if (!out) return E_POINTER;
  *out = ready_;
  return S_OK;
}

// ---- host site and connection point -----------------------------------

HRESULT WebBrowserControl::SetClientSite(IOleClientSite* site) {
  site_.Set(site);
  return S_OK;
}

HRESULT WebBrowserControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_.Get();
  return S_OK;
}

HRESULT WebBrowserControl::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
  events_.AddRef();
  *out = &events_;
  return S_OK;
}

}  // namespace quorla
