#include "kqie_view.h"

#include <string_view>

#include "afx/dc.h"
#include "hooks/price_watch_hooks.h"
#include "site_control_site.h"
#include "url_filter.h"
#include "view_owner.h"

namespace {

std::atomic<uint64_t> g_nextSerialNumber{1};

CString UrlTextOf(const VARIANT* url) {
  if (!url || url->vt != VT_BSTR || !url->bstrVal) return CString();
  return CString(url->bstrVal, static_cast<int>(::SysStringLen(url->bstrVal)));
}

bool Contains(LPCWSTR text, LPCWSTR part) {
  return std::u16string_view(text ? text : u"").find(part) != std::u16string_view::npos;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKQIEView, CHtmlView)
  ON_WM_TIMER()
  ON_WM_ERASEBKGND()
  ON_COMMAND(CKQIEView::kDiscardCommand, OnDiscard)
END_MESSAGE_MAP()

CKQIEView::CKQIEView(ViewOwner& owner, int adopted)
    : m_owner(owner), m_serialNumber(g_nextSerialNumber.fetch_add(1)), m_adopted(adopted) {}

CKQIEView::~CKQIEView() = default;

BOOL CKQIEView::GetCommandState(long command) const {
  if (command == CSC_NAVIGATEBACK) return m_canGoBack;
  if (command == CSC_NAVIGATEFORWARD) return m_canGoForward;
  return FALSE;
}

BOOL CKQIEView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.lpszClass = AfxRegisterWndClass(0);
  return CHtmlView::PreCreateWindow(cs);
}

BOOL CKQIEView::CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT, REFCLSID) {
  if (site) *site = new CSiteControlSite(container);
  return TRUE;
}

HRESULT CKQIEView::OnGetHostInfo(DOCHOSTUIINFO* info) {
  info->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
  return S_OK;
}

void CKQIEView::SetStatus(const CString& text) {
  m_statusText = text;
  m_owner.OnViewStatusText(this);
}

void CKQIEView::OnBeforeNavigate2(LPDISPATCH dispatch, LPCWSTR url, DWORD, LPCWSTR, const VARIANT*, LPCWSTR,
                                  BOOL* cancel) {
  if (m_refused) {
    // The opener may navigate a refused pop-up again before its discard
    // command arrives; it must stay hidden and go.
    *cancel = TRUE;
    return;
  }
  if (!IsUrlFiltered(url)) {
    if (!m_adopted) {
      m_owner.AdoptNewWindowView(this);
      m_adopted = 1;
    }
    // Joined rather than formatted: an address has no length limit.
    CString status(u"打开 ");
    status += url;
    if (IsBrowserDispatch(dispatch)) m_openingStatus = status;
    SetStatus(status);
    // Frames do not count: a late frame must not restart the tab's page
    // icon and capture.
    if (m_navigateHookArmed && IsBrowserDispatch(dispatch) && !Contains(url, u"about:blank")) {
      m_navigateHookArmed = FALSE;
      m_owner.OnViewNavigate(this, url);
    }
    return;
  }
  if (!m_adopted) {
    m_refused = true;
    *cancel = TRUE;
    PostMessage(WM_COMMAND, kDiscardCommand);
  }
}

void CKQIEView::OnNavigateComplete2(LPDISPATCH, VARIANT*) {
  if (m_captureTimerStarted) return;
  m_captureTimerStarted = 1;
  SetTimer(kCaptureTimer, kCaptureTimerPeriodMs);
}

void CKQIEView::OnDocumentComplete(LPDISPATCH dispatch, VARIANT* url) {
  KillTimer(kCaptureTimer);
  if (!IsBrowserDispatch(dispatch)) return;
  const CString address = UrlTextOf(url);
  m_openingStatus.Empty();
  SetStatus(u"完成");
  m_owner.OnViewNavigate(this, address);
  m_navigateHookArmed = TRUE;
}

void CKQIEView::OnStatusTextChange(LPCWSTR text) {
  if (text && *text) {
    SetStatus(CString(text));
  } else if (!m_openingStatus.IsEmpty()) {
    // The pointer left a link while the page still comes: it is not done.
    SetStatus(m_openingStatus);
  } else {
    SetStatus(u"完成");
  }
}

void CKQIEView::OnTitleChange(LPCWSTR title) { m_owner.OnViewTitle(this, title ? title : u""); }

void CKQIEView::OnCommandStateChange(long command, BOOL enable) {
  if (command == CSC_NAVIGATEBACK) m_canGoBack = enable ? TRUE : FALSE;
  if (command == CSC_NAVIGATEFORWARD) m_canGoForward = enable ? TRUE : FALSE;
  m_owner.OnViewCommandState(this, enable, command);
}

void CKQIEView::OnNewWindow2(LPDISPATCH* dispatch, BOOL*) {
  if (!dispatch) return;
  *dispatch = nullptr;
  auto* view = new CKQIEView(m_owner, 0);
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), GetParent(),
                    static_cast<UINT>(-1))) {
    delete view;
    return;
  }
  *dispatch = view->GetApplication();
}

void CKQIEView::OnTimer(UINT_PTR) {
  if (m_captureTicks <= kCaptureTicks) ++m_captureTicks;
  if (m_captureTicks <= kCaptureTicks && PriceCaptured.load() == 0) QueueParse(this);
}

BOOL CKQIEView::OnEraseBkgnd(CDC*) { return TRUE; }

void CKQIEView::OnDiscard() {
  // A view that made it into a tab after all is the owner's to delete.
  if (m_owner.HoldsView(this)) return;
  // Every view leaves the price watch before it goes, queued or not.
  ForgetView(this);
  delete this;
}
