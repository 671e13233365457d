#include "web_browser_control.h"

#include <QAction>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>
#include <algorithm>

#include "web_engine_setup_qt.h"
#include "web_browser_window.h"
#include "window_access.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

BSTR ToBstr(const QString& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
}

// The address as the engine holds it, every byte outside printable ASCII
// escaped and host names in their ASCII form, so it can be stored and loaded
// again as it is.
QString EncodedAddress(const QUrl& url) { return QString::fromLatin1(url.toEncoded()); }

// A VT_BSTR holding text; cleared by its owner.
struct TextVariant {
  VARIANT v;
  explicit TextVariant(const QString& text) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ToBstr(text);
  }
  ~TextVariant() { VariantClear(&v); }
};

// What a frame's events carry instead of the control's own dispatch.
class FrameDispatch final : public LayerObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IDispatch});
  }
};

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
  for (auto& [cookie, sink] : sinks_) sink->Release();
  sinks_.clear();
  if (hwnd_) DestroyWindow(hwnd_);  // its WM_NCDESTROY lands in WindowGone
  DropEngineObjects();
}

void WebBrowserControl::MakeEngineObjects() {
  page_ = new WebPage(WebEngineProfile(), [this](const QUrl& url, QWebEnginePage::NavigationType type, bool main) {
    return OnNavigationQuestion(url, type, main);
  });
  view_ = new QWebEngineView();
  view_->setPage(page_);
  view_->setAttribute(Qt::WA_DontShowOnScreen, false);
  QObject::connect(page_, &QWebEnginePage::loadingChanged, page_,
                   [this](const QWebEngineLoadingInfo& info) { OnLoadingChanged(info); });
  QObject::connect(page_, &QWebEnginePage::urlChanged, page_, [this](const QUrl& url) { OnCommitSign(url); });
  QObject::connect(page_, &QWebEnginePage::titleChanged, page_,
                   [this](const QString& title) { OnTitleChanged(title); });
  QObject::connect(page_, &QWebEnginePage::linkHovered, page_, [this](const QString& url) { OnLinkHovered(url); });
  for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
    QObject::connect(page_->action(action), &QAction::changed, page_, [this] { OnActionsChanged(); });
}

void WebBrowserControl::DropEngineObjects() {
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
  const bool visible = host && IsWindowVisible(hwnd_);
  if (visible != view_->isVisible()) view_->setVisible(visible);
}

HRESULT WebBrowserControl::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IConnectionPointContainer) {
    AddRef();
    *out = static_cast<IConnectionPointContainer*>(this);
    return S_OK;
  }
  return QueryFor(iid, out, {&IID_IDispatch, &IID_IWebBrowser2});
}

// ---- navigation --------------------------------------------------------

HRESULT WebBrowserControl::Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  if (!page_) return E_FAIL;
  if (!url || SysStringLen(url) == 0) return E_INVALIDARG;
  const QString typed = QString::fromUtf16(url, SysStringLen(url)).trimmed();
  // The engine's own fix-up of typed text: a missing scheme, a bare host and
  // port, a local path.
  const QUrl target = QUrl::fromUserInput(typed);
  if (!target.isValid() || target.isEmpty()) return E_INVALIDARG;
  PlaceView();
  page_->load(target);
  return S_OK;
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
  return E_NOTIMPL;
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

// ---- events ------------------------------------------------------------

template <typename Call>
void WebBrowserControl::Fire(Call call) {
  if (!page_ || sinks_.empty()) return;
  std::vector<DWebBrowserEvents2*> sinks;
  for (auto& [cookie, sink] : sinks_) {
    sink->AddRef();
    sinks.push_back(sink);
  }
  AddRef();
  for (DWebBrowserEvents2* sink : sinks) {
    // A sink may have destroyed the window or unadvised the others.
    const bool stillAdvised = std::any_of(sinks_.begin(), sinks_.end(), [&](auto& s) { return s.second == sink; });
    if (page_ && stillAdvised) call(sink);
  }
  for (DWebBrowserEvents2* sink : sinks) sink->Release();
  Release();
}

bool WebBrowserControl::OnNavigationQuestion(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame) {
  // A server's redirect continues the navigation already reported.
  if (type == QWebEnginePage::NavigationTypeRedirect) return true;
  AddRef();  // a sink may release the control from inside the event
  VARIANT_BOOL cancel = VARIANT_FALSE;
  {
    TextVariant address(EncodedAddress(url));
    VARIANT flags, frameName, postData, headers;
    VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = 0;
    VariantInit(&frameName);
    VariantInit(&postData);
    VariantInit(&headers);
    IDispatch* dispatch = OwnDispatch();
    FrameDispatch* frame = nullptr;
    if (!isMainFrame) dispatch = frame = new FrameDispatch();
    Fire([&](DWebBrowserEvents2* sink) {
      sink->BeforeNavigate2(dispatch, &address.v, &flags, &frameName, &postData, &headers, &cancel);
    });
    if (frame) frame->Release();
  }
  bool go = false;
  if (!page_) {
    go = false;  // the window went meanwhile
  } else if (cancel != VARIANT_FALSE) {
    if (isMainFrame) refused_.push_back(url);
  } else {
    go = true;
    if (isMainFrame) ready_ = READYSTATE_LOADING;
  }
  Release();
  return go;
}

void WebBrowserControl::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
    auto refused = std::find(refused_.begin(), refused_.end(), info.url());
    if (refused != refused_.end()) {
      refused_.erase(refused);
      reportingRefused_ = true;
      return;
    }
    reportingRefused_ = false;
    loading_ = true;
    committed_ = false;
    ready_ = READYSTATE_LOADING;
    return;
  }
  if (reportingRefused_) {
    reportingRefused_ = false;
    return;
  }
  if (!loading_) return;
  AddRef();
  if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) OnCommitSign(info.url());
  loading_ = false;
  committed_ = false;
  ready_ = READYSTATE_COMPLETE;
  Fire([](DWebBrowserEvents2* sink) {
    BSTR empty = SysAllocString(u"");
    sink->StatusTextChange(empty);
    SysFreeString(empty);
  });
  TextVariant address(EncodedAddress(info.url()));
  Fire([&](DWebBrowserEvents2* sink) { sink->DocumentComplete(OwnDispatch(), &address.v); });
  Release();
}

// The engine tells no commit of its own; the first sign of the new page (its
// address or a title taking effect, or the load's success) stands for it.
void WebBrowserControl::OnCommitSign(const QUrl& url) {
  if (!loading_ || committed_ || reportingRefused_) return;
  committed_ = true;
  TextVariant address(EncodedAddress(url));
  Fire([&](DWebBrowserEvents2* sink) { sink->NavigateComplete2(OwnDispatch(), &address.v); });
}

void WebBrowserControl::OnTitleChanged(const QString& title) {
  AddRef();
  if (page_) OnCommitSign(page_->url());
  BSTR text = ToBstr(title);
  Fire([&](DWebBrowserEvents2* sink) { sink->TitleChange(text); });
  SysFreeString(text);
  Release();
}

void WebBrowserControl::OnLinkHovered(const QString& url) {
  BSTR text = ToBstr(url.isEmpty() ? QString() : EncodedAddress(QUrl(url)));
  Fire([&](DWebBrowserEvents2* sink) { sink->StatusTextChange(text); });
  SysFreeString(text);
}

void WebBrowserControl::OnActionsChanged() {
  if (!page_) return;
  // The history, not the actions: the engine enables them one after the
  // other, and the first change would show the other in its old state.
  const bool back = page_->history()->canGoBack();
  const bool forward = page_->history()->canGoForward();
  if (back == canGoBack_ && forward == canGoForward_) return;
  canGoBack_ = back;
  canGoForward_ = forward;
  AddRef();
  Fire([&](DWebBrowserEvents2* sink) {
    sink->CommandStateChange(CSC_NAVIGATEBACK, back ? VARIANT_TRUE : VARIANT_FALSE);
  });
  Fire([&](DWebBrowserEvents2* sink) {
    sink->CommandStateChange(CSC_NAVIGATEFORWARD, forward ? VARIANT_TRUE : VARIANT_FALSE);
  });
  Release();
}

// ---- connection point --------------------------------------------------

HRESULT WebBrowserControl::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
  events_.AddRef();
  *out = &events_;
  return S_OK;
}

HRESULT WebBrowserControl::EventPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  *out = static_cast<IConnectionPoint*>(this);
  return S_OK;
}

HRESULT WebBrowserControl::EventPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID_DWebBrowserEvents2;
  return S_OK;
}

HRESULT WebBrowserControl::EventPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  owner_.AddRef();
  *out = &owner_;
  return S_OK;
}

HRESULT WebBrowserControl::EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  DWebBrowserEvents2* events = nullptr;
  if (FAILED(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events))) || !events)
    return CONNECT_E_CANNOTCONNECT;
  *cookie = owner_.nextCookie_++;
  owner_.sinks_.emplace_back(*cookie, events);
  return S_OK;
}

HRESULT WebBrowserControl::EventPoint::Unadvise(DWORD cookie) {
  auto& sinks = owner_.sinks_;
  auto it = std::find_if(sinks.begin(), sinks.end(), [&](auto& s) { return s.first == cookie; });
  if (it == sinks.end()) return CONNECT_E_NOCONNECTION;
  DWebBrowserEvents2* sink = it->second;
  sinks.erase(it);
  sink->Release();
  return S_OK;
}

}  // namespace quorla
