// The WebBrowser control's events, told from inside the engine's own
// notifications.
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <algorithm>
#include <utility>

#include "web_address.h"
#include "web_browser_control.h"

namespace quorla {
namespace {

// A completion waits this long at most for the snapshot of its page.
constexpr int kCompletionWaitMs = 2000;

// A VT_BSTR holding text; cleared by its owner.
struct TextVariant {
  VARIANT v;
  explicit TextVariant(const QString& text) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ToBstr(text);
  }
  ~TextVariant() { VariantClear(&v); }
  TextVariant(const TextVariant&) = delete;
  TextVariant& operator=(const TextVariant&) = delete;
};

// What a frame's events carry instead of the control's own dispatch.
class FrameDispatch final : public LayerObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryFor(iid, out, {&IID_IDispatch});
  }
};

bool IsBlank(const QUrl& url) {
  return url.scheme() == QLatin1String("about") && url.path() == QLatin1String("blank");
}

}  // namespace

void WebBrowserControl::Fire(const std::function<void(DWebBrowserEvents2*)>& call) {
  if (!Live() || events_.Empty()) return;
  AddRef();
  events_.Fire(call, [this] { return Live(); });
  Release();
}

bool WebBrowserControl::AskBeforeNavigate(IDispatch* dispatch, const QString& address) {
  VARIANT_BOOL cancel = VARIANT_FALSE;
  TextVariant url(address);
  VARIANT flags, frameName, postData, headers;
  VariantInit(&flags);
  flags.vt = VT_I4;
  flags.lVal = 0;
  VariantInit(&frameName);
  VariantInit(&postData);
  VariantInit(&headers);
  Fire([&](DWebBrowserEvents2* sink) {
    sink->BeforeNavigate2(dispatch, &url.v, &flags, &frameName, &postData, &headers, &cancel);
  });
  return cancel == VARIANT_FALSE;
}

bool WebBrowserControl::OnNavigationQuestion(const QUrl& url, QWebEnginePage::NavigationType type, bool isMainFrame) {
  // A server's redirect continues the navigation already reported.
  if (type == QWebEnginePage::NavigationTypeRedirect) return true;
  if (isMainFrame && blankOfOwn_) {
    if (IsBlank(url)) return true;
    blankOfOwn_ = false;  // the address it was shown for: told as any other
  }
  if (isMainFrame && !popupAsked_.isEmpty() && url == popupAsked_) {
    popupAsked_.clear();
    return true;
  }
  AddRef();  // a sink may release the control from inside the event
  if (isMainFrame) FinishCompletion();
  bool go = false;
  if (Live()) {
    // The host hears of a top-level navigation as loading already (its view
    // decides there between the loading animation and the page's icon); a
    // refusal gives back the state the control was in.
    const READYSTATE before = ready_;
    if (isMainFrame) ready_ = READYSTATE_LOADING;
    FrameDispatch* frame = isMainFrame ? nullptr : new FrameDispatch();
    go = AskBeforeNavigate(isMainFrame ? OwnDispatch() : frame, EncodedAddress(url));
    if (frame) frame->Release();
    if (!Live()) {
      go = false;  // the window went meanwhile
    } else if (isMainFrame && !go) {
      ready_ = before;
      refused_.push_back(url);
    }
  }
  Release();
  return go;
}

void WebBrowserControl::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (blankOfOwn_ && info.status() == QWebEngineLoadingInfo::LoadStartedStatus && IsBlank(info.url())) {
    reportingBlank_ = true;
    return;
  }
  if (reportingBlank_) {
    reportingBlank_ = false;
    LeaveBlankOfOwn(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    return;
  }
  if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
    popupAsked_.clear();
    auto refused = std::find(refused_.begin(), refused_.end(), info.url());
    if (refused != refused_.end()) {
      refused_.erase(refused);
      reportingRefused_ = true;
      return;
    }
    AddRef();
    FinishCompletion();
    reportingRefused_ = false;
    loading_ = true;
    committed_ = false;
    ready_ = READYSTATE_LOADING;
    Release();
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
  if (Live() && snapshots_) {
    // The completion waits for a snapshot of the page as its load left it.
    completionPending_ = true;
    completionUrl_ = info.url();
    completionMark_ = snapshots_->LastStarted();
    const std::uint64_t which = ++completions_;
    std::weak_ptr<int> alive = alive_;
    QTimer::singleShot(kCompletionWaitMs, page_, [this, alive, which] {
      if (!alive.expired() && completionPending_ && completions_ == which) FinishCompletion();
    });
    snapshots_->Request();
  }
  Release();
}

void WebBrowserControl::LeaveBlankOfOwn(bool loaded) {
  blankOfOwn_ = false;
  const QString exact = std::exchange(exactPending_, QString());
  const QUrl fallback = std::exchange(exactFallback_, QUrl());
  if (!page_ || exact.isEmpty()) return;
  // The engine asks nothing about a script's going on from an empty page:
  // the host is asked here, and a question the engine does ask about it is
  // answered without a second one.
  AddRef();
  FinishCompletion();
  const READYSTATE before = ready_;
  ready_ = READYSTATE_LOADING;
  const bool go = Live() && AskBeforeNavigate(OwnDispatch(), exact);
  if (go && Live()) {
    popupAsked_ = fallback;
    if (loaded) GoExactly(exact, fallback, true);
    else page_->load(fallback);
  } else {
    ready_ = before;
  }
  Release();
}

void WebBrowserControl::OnSnapshotKept(std::uint64_t serial) {
  if (completionPending_ && serial > completionMark_) FinishCompletion();
}

void WebBrowserControl::FinishCompletion() {
  if (!completionPending_) return;
  completionPending_ = false;
  AddRef();
  Fire([](DWebBrowserEvents2* sink) {
    BSTR empty = SysAllocString(u"");
    sink->StatusTextChange(empty);
    SysFreeString(empty);
  });
  TextVariant address(EncodedAddress(completionUrl_));
  Fire([&](DWebBrowserEvents2* sink) { sink->DocumentComplete(OwnDispatch(), &address.v); });
  Release();
}

// The engine tells no commit of its own; the first sign of the new page (its
// address or a title taking effect, or the load's success) stands for it.
void WebBrowserControl::OnCommitSign(const QUrl& url) {
  if (!loading_ || committed_ || reportingRefused_ || blankOfOwn_) return;
  committed_ = true;
  if (snapshots_) snapshots_->Commit(QString());
  TextVariant address(EncodedAddress(url));
  Fire([&](DWebBrowserEvents2* sink) { sink->NavigateComplete2(OwnDispatch(), &address.v); });
}

void WebBrowserControl::OnTitleChanged(const QString& title) {
  if (blankOfOwn_) return;
  AddRef();
  if (page_) OnCommitSign(page_->url());
  if (snapshots_) snapshots_->SetTitle(title);
  BSTR text = ToBstr(title);
  Fire([&](DWebBrowserEvents2* sink) { sink->TitleChange(text); });
  SysFreeString(text);
  Release();
}

void WebBrowserControl::OnLinkHovered(const QString& url) {
  // The engine also says "no link" when a navigation starts with none
  // hovered; only leaving a link empties the status text, or a host would
  // take the page for done while it still loads.
  if (url.isEmpty() && !hoveringLink_) return;
  hoveringLink_ = !url.isEmpty();
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

// ---- pop-ups -------------------------------------------------------------

void WebBrowserControl::OnNewWindowRequested(QWebEngineNewWindowRequest& request) {
  AddRef();
  IDispatch* answer = nullptr;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  Fire([&](DWebBrowserEvents2* sink) {
    if (answer) return;  // the first host that answers has it
    sink->NewWindow2(&answer, &cancel);
  });
  WebBrowserControl* target = nullptr;
  if (answer) {
    if (cancel == VARIANT_FALSE)
      answer->QueryInterface(IID_QuorlaWebBrowserControl, reinterpret_cast<void**>(&target));
    answer->Release();
  }
  if (target) {
    // Anything but another live control of ours leaves the request
    // unanswered: the engine drops the pop-up without loading it.
    if (target != this && target->Live() && Live()) target->AdoptPopup(request);
    target->Release();
  }
  Release();
}

void WebBrowserControl::AdoptPopup(QWebEngineNewWindowRequest& request) {
  QUrl url = request.requestedUrl();
  // A pop-up without an address shows an empty page (the engine names it
  // about:blank with a mark of its own, or nothing), and the engine asks
  // nothing about it.
  const bool blank = url.isEmpty() || (url.scheme() == QLatin1String("about") && url.path() == QLatin1String("blank"));
  AddRef();
  FinishCompletion();
  const READYSTATE before = ready_;
  ready_ = READYSTATE_LOADING;
  const bool go = Live() && AskBeforeNavigate(OwnDispatch(), blank ? QStringLiteral("about:blank") : EncodedAddress(url));
  if (go && Live()) {
    popupAsked_ = blank ? QUrl() : url;
    request.openIn(page_);
  } else {
    ready_ = before;
  }
  Release();
}

}  // namespace quorla
