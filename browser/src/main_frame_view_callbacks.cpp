// What the views tell the main window: their status text, the start of a
// page, its title and whether it can go back or forward. Only the current
// tab's view speaks to the status bar, the address box, the caption and the
// navigation buttons; every view speaks to its own tab.
#include "browser_ids.h"
#include "favourites_hooks.h"
#include "kqie_view.h"
#include "main_frame.h"
#include "price_watch_hooks.h"
#include "win/mshtml.h"
#include "win/oleauto.h"

namespace {

// More than a tab (255) or the caption can show; a page may set a title of
// megabytes, many times a second.
constexpr int kLongestTitle = 1024;

CString DocumentTitle(const CKQIEView& view) {
  CString title;
  IDispatch* document = view.GetHtmlDocument();
  if (!document) return title;
  IHTMLDocument2* html = nullptr;
  if (SUCCEEDED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html))) && html) {
    BSTR text = nullptr;
    if (SUCCEEDED(html->get_title(&text)) && text) title = text;
    ::SysFreeString(text);
    html->Release();
  }
  document->Release();
  return title;
}

}  // namespace

CString CMainFrame::PageTitle(const CKQIEView& view, LPCWSTR fallback) {
  CString title = DocumentTitle(view);
  if (title.IsEmpty() && fallback) title = fallback;
  if (title.GetLength() > kLongestTitle) title = title.Left(kLongestTitle);
  return title;
}

void CMainFrame::SetTabState(int index, DWORD mask, DWORD state) {
  if (index >= 0) m_tabs.SetItemState(index, mask, state);
}

void CMainFrame::OnViewStatusText(CKQIEView* view) {
  const int index = m_tabs.FindTabByView(view);
  const bool current = index >= 0 && index == m_tabs.GetCurSel();
  if (current) SetStatusText(view->GetStatusText());
  if (view->GetReadyState() == READYSTATE_COMPLETE) {
    SetTabState(index, TABSTATE_LOADING | TABSTATE_ICON, TABSTATE_ICON);
  } else if (current && view->GetLocationURL() != PriceNotifyItemUrl()) {
    HidePriceNotify();
  }
  m_tabs.Invalidate(FALSE);
}

void CMainFrame::OnViewNavigate(CKQIEView* view, LPCWSTR url) {
  const int index = m_tabs.FindTabByView(view);
  if (index < 0) return;
  if (!(m_tabs.GetItemState(index, TABSTATE_ICON) & TABSTATE_ICON))
    SetTabState(index, TABSTATE_LOADING, TABSTATE_LOADING);
  RequestFavicon(url ? CString(url) : CString(), view, view->GetSerialNumber());
  ForgetView(view);
  QueueParse(view);
}

void CMainFrame::OnViewTitle(CKQIEView* view, LPCWSTR given) {
  const int index = m_tabs.FindTabByView(view);
  if (index < 0) return;
  const CString title = PageTitle(*view, given);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(title.GetString());
  m_tabs.SetItem(index, &item);
  m_tabs.InvalidateRect(nullptr, FALSE);
  if (index != m_tabs.GetCurSel()) return;
  const CString address = view->GetLocationURL();
  if (!m_addressTyped && !address.IsEmpty()) {
    CString shown;
    m_addressBox.GetWindowText(shown);
    if (address.CompareNoCase(shown) != 0) SetAddressText(address);
  }
  SetCaptionTitle(title);
}

void CMainFrame::OnViewCommandState(CKQIEView* view, BOOL enable, LONG command) {
  if (!view || view != CurrentView()) return;
  if (command == CSC_NAVIGATEFORWARD) m_navigationButtons.EnableButton(ID_NAVIGATE_FORWARD, enable);
  else if (command == CSC_NAVIGATEBACK) m_navigationButtons.EnableButton(ID_NAVIGATE_BACK, enable);
}

void CMainFrame::SetAddressText(const CString& text) {
  m_addressTyped = false;
  if (!m_addressBox.m_hWnd) return;
  m_writingAddress = true;
  m_addressBox.SetWindowText(text);
  m_writingAddress = false;
}

// EN_CHANGE comes for the browser's own writes too; only the others are
// the user's.
void CMainFrame::OnAddressChange() {
  if (!m_writingAddress) m_addressTyped = true;
}
