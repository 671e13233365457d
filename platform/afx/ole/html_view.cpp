// CHtmlView: the control in the view's window, its operations, and its
// events handed to the view's handlers.
#include "afx/html_view.h"

#include <utility>

#include "win/connection_points.h"

namespace {

// Owns a BSTR for the length of a call.
class Bstr {
 public:
  explicit Bstr(LPCWSTR text) : text_(text ? ::SysAllocString(text) : nullptr) {}
  ~Bstr() { ::SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

CString TextOf(BSTR text) { return text ? CString(text, static_cast<int>(::SysStringLen(text))) : CString(); }

CString TextOf(const VARIANT* value) {
  if (!value || value->vt != VT_BSTR) return CString();
  return TextOf(value->bstrVal);
}

DWORD NumberOf(const VARIANT* value) {
  if (!value) return 0;
  switch (value->vt) {
    case VT_I4:
    case VT_INT:
      return static_cast<DWORD>(value->lVal);
    case VT_UI4:
    case VT_UINT:
      return value->ulVal;
    case VT_I2:
      return static_cast<DWORD>(value->iVal);
    default:
      return 0;
  }
}

}  // namespace

// The window's side of the control: the host's flags come from the view.
class CHtmlView::Container final : public COleControlContainer {
 public:
  explicit Container(CHtmlView* view) : COleControlContainer(view) {}
  HRESULT OnGetHostInfo(DOCHOSTUIINFO* info) override {
    return static_cast<CHtmlView*>(m_pWnd)->OnGetHostInfo(info);
  }
};

// The sink advised to the control. It outlives the view when a handler
// deletes the view: the view forgets it first, and then it passes nothing on.
class CHtmlView::Events final : public DWebBrowserEvents2 {
 public:
  explicit Events(CHtmlView* view) : view_(view) {}
  void Forget() { view_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *out = static_cast<DWebBrowserEvents2*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --count_;
    if (left == 0) delete this;
    return left;
  }

  void STDMETHODCALLTYPE BeforeNavigate2(IDispatch* dispatch, VARIANT* url, VARIANT* flags, VARIANT* targetFrameName,
                                         VARIANT* postData, VARIANT* headers, VARIANT_BOOL* cancel) override {
    if (!view_) return;
    BOOL cancelled = cancel && *cancel ? TRUE : FALSE;
    const CString address = TextOf(url);
    const CString target = TextOf(targetFrameName);
    const CString extraHeaders = TextOf(headers);
    view_->OnBeforeNavigate2(dispatch, address, NumberOf(flags), target, postData, extraHeaders, &cancelled);
    if (cancel) *cancel = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
  }
  void STDMETHODCALLTYPE NavigateComplete2(IDispatch* dispatch, VARIANT* url) override {
    if (view_) view_->OnNavigateComplete2(dispatch, url);
  }
  void STDMETHODCALLTYPE DocumentComplete(IDispatch* dispatch, VARIANT* url) override {
    if (view_) view_->OnDocumentComplete(dispatch, url);
  }
  void STDMETHODCALLTYPE StatusTextChange(BSTR text) override {
    if (view_) view_->OnStatusTextChange(TextOf(text));
  }
  void STDMETHODCALLTYPE TitleChange(BSTR title) override {
    if (view_) view_->OnTitleChange(TextOf(title));
  }
  void STDMETHODCALLTYPE CommandStateChange(LONG command, VARIANT_BOOL enable) override {
    if (view_) view_->OnCommandStateChange(command, enable != VARIANT_FALSE);
  }
  void STDMETHODCALLTYPE NewWindow2(IDispatch** dispatch, VARIANT_BOOL* cancel) override {
    if (!view_ || !dispatch) return;
    BOOL cancelled = cancel && *cancel ? TRUE : FALSE;
    view_->OnNewWindow2(dispatch, &cancelled);
    if (cancel) *cancel = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
  }

 private:
  ~Events() = default;
  CHtmlView* view_;
  ULONG count_ = 1;
};

BEGIN_MESSAGE_MAP(CHtmlView, CWnd)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CHtmlView::CHtmlView() = default;

CHtmlView::~CHtmlView() {
  LetBrowserGo();
  delete m_pContainer;
}

BOOL CHtmlView::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       CCreateContext* context) {
  if (!AfxControlContainerEnabled()) return FALSE;
  if (!CWnd::Create(className, windowName, style, rect, parent, id, context)) return FALSE;
  if (CreateBrowser()) return TRUE;
  DestroyWindow();
  return FALSE;
}

bool CHtmlView::CreateBrowser() {
  if (!m_pContainer) m_pContainer = new Container(this);
  COleControlSite* site = nullptr;
  if (!CreateControlSite(m_pContainer, &site, AFX_IDW_PANE_FIRST, CLSID_WebBrowser)) return false;
  if (!site) site = new COleControlSite(m_pContainer);
  m_pSite = site;
  CRect client;
  GetClientRect(&client);
  if (FAILED(site->CreateControl(CLSID_WebBrowser, nullptr, WS_VISIBLE | WS_CHILD, client, AFX_IDW_PANE_FIRST)) ||
      !site->GetControlUnknown() ||
      FAILED(site->GetControlUnknown()->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowserApp)))) {
    LetBrowserGo();
    return false;
  }
  m_hWndBrowser = site->m_hWnd;

  IConnectionPointContainer* points = nullptr;
  if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
    IConnectionPoint* point = nullptr;
    if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
      m_pEvents = new Events(this);
      if (FAILED(point->Advise(m_pEvents, &m_eventsCookie))) m_eventsCookie = 0;
      point->Release();
    }
    points->Release();
  }
  if (!m_eventsCookie) {
    // A view that hears nothing of its pages is no view.
    LetBrowserGo();
    return false;
  }
  return true;
}

void CHtmlView::LetBrowserGo() {
  if (m_pEvents) {
    m_pEvents->Forget();
    if (m_eventsCookie && m_pBrowserApp) {
      IConnectionPointContainer* points = nullptr;
      if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
        IConnectionPoint* point = nullptr;
        if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
          point->Unadvise(m_eventsCookie);
          point->Release();
        }
        points->Release();
      }
    }
    m_eventsCookie = 0;
    std::exchange(m_pEvents, nullptr)->Release();
  }
  m_hWndBrowser = nullptr;
  if (IWebBrowser2* browser = std::exchange(m_pBrowserApp, nullptr)) browser->Release();
  if (COleControlSite* site = std::exchange(m_pSite, nullptr)) {
    site->ReleaseControl();
    site->ExternalRelease();
  }
}

void CHtmlView::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (m_hWndBrowser && ::IsWindow(m_hWndBrowser)) ::MoveWindow(m_hWndBrowser, 0, 0, cx, cy, TRUE);
}

void CHtmlView::OnDestroy() {
  LetBrowserGo();
  CWnd::OnDestroy();
}

void CHtmlView::OnSetFocus(CWnd* old) {
  // Keys typed into the view are the page's.
  if (m_hWndBrowser && ::IsWindow(m_hWndBrowser)) {
    ::SetFocus(m_hWndBrowser);
    return;
  }
  CWnd::OnSetFocus(old);
}

BOOL CHtmlView::CreateControlSite(COleControlContainer*, COleControlSite** site, UINT, REFCLSID) {
  if (site) *site = nullptr;
  return TRUE;
}

HRESULT CHtmlView::OnGetHostInfo(DOCHOSTUIINFO*) { return S_OK; }

void CHtmlView::Navigate(LPCWSTR url, DWORD flags, LPCWSTR targetFrameName, LPCWSTR headers) {
  if (!m_pBrowserApp || !url) return;
  Bstr address(url);
  Bstr target(targetFrameName);
  Bstr extraHeaders(headers);
  VARIANT flagsValue{};
  flagsValue.vt = VT_I4;
  flagsValue.lVal = static_cast<LONG>(flags);
  VARIANT targetValue{};
  targetValue.vt = target.get() ? VT_BSTR : VT_EMPTY;
  targetValue.bstrVal = target.get();
  VARIANT headersValue{};
  headersValue.vt = extraHeaders.get() ? VT_BSTR : VT_EMPTY;
  headersValue.bstrVal = extraHeaders.get();
  VARIANT noData{};
  m_pBrowserApp->Navigate(address.get(), &flagsValue, &targetValue, &noData, &headersValue);
}

void CHtmlView::Navigate2(LPCWSTR url, DWORD flags, LPCWSTR targetFrameName, LPCWSTR headers) {
  Navigate(url, flags, targetFrameName, headers);
}

void CHtmlView::GoBack() {
  if (m_pBrowserApp) m_pBrowserApp->GoBack();
}

void CHtmlView::GoForward() {
  if (m_pBrowserApp) m_pBrowserApp->GoForward();
}

void CHtmlView::Refresh() {
  if (m_pBrowserApp) m_pBrowserApp->Refresh();
}

void CHtmlView::Refresh2(int level) {
  if (!m_pBrowserApp) return;
  VARIANT value{};
  value.vt = VT_I4;
  value.lVal = level;
  m_pBrowserApp->Refresh2(&value);
}

void CHtmlView::Stop() {
  if (m_pBrowserApp) m_pBrowserApp->Stop();
}

CString CHtmlView::GetLocationURL() const {
  BSTR text = nullptr;
  if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_LocationURL(&text))) return CString();
  CString result = TextOf(text);
  ::SysFreeString(text);
  return result;
}

CString CHtmlView::GetLocationName() const {
  BSTR text = nullptr;
  if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_LocationName(&text))) return CString();
  CString result = TextOf(text);
  ::SysFreeString(text);
  return result;
}

READYSTATE CHtmlView::GetReadyState() const {
  READYSTATE state = READYSTATE_UNINITIALIZED;
  if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_ReadyState(&state))) return READYSTATE_UNINITIALIZED;
  return state;
}

BOOL CHtmlView::GetBusy() const {
  VARIANT_BOOL busy = VARIANT_FALSE;
  if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_Busy(&busy))) return FALSE;
  return busy != VARIANT_FALSE;
}

LPDISPATCH CHtmlView::GetHtmlDocument() const {
  IDispatch* document = nullptr;
  if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_Document(&document))) return nullptr;
  return document;
}

LPDISPATCH CHtmlView::GetApplication() const {
  IDispatch* application = nullptr;
  if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_Application(&application))) return nullptr;
  return application;
}

BOOL CHtmlView::IsBrowserDispatch(LPDISPATCH dispatch) const {
  if (!dispatch || !m_pBrowserApp) return FALSE;
  IDispatch* own = nullptr;
  if (FAILED(m_pBrowserApp->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&own)))) return FALSE;
  const bool same = own == dispatch;
  own->Release();
  return same;
}

void CHtmlView::OnBeforeNavigate2(LPDISPATCH, LPCWSTR, DWORD, LPCWSTR, const VARIANT*, LPCWSTR, BOOL*) {}
void CHtmlView::OnNavigateComplete2(LPDISPATCH, VARIANT*) {}
void CHtmlView::OnDocumentComplete(LPDISPATCH, VARIANT*) {}
void CHtmlView::OnStatusTextChange(LPCWSTR) {}
void CHtmlView::OnTitleChange(LPCWSTR) {}
void CHtmlView::OnCommandStateChange(long, BOOL) {}
void CHtmlView::OnNewWindow2(LPDISPATCH*, BOOL*) {}
