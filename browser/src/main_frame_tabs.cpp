// The tabs: opening a page in a new tab, adopting a page's new window as a
// tab, closing one, keeping one tab on the start page, and showing the
// current tab's page in the window's address box, caption and status bar.
#include <algorithm>

#include "browser_ids.h"
#include "caption_suffix.h"
#include "kqie_view.h"
#include "main_frame.h"
#include "price_watch_hooks.h"
#include "process_objects.h"

CKQIEView* CMainFrame::CurrentView() const {
  if (!m_tabs.m_hWnd) return nullptr;
  return static_cast<CKQIEView*>(m_tabs.GetTabView(m_tabs.GetCurSel()));
}

bool CMainFrame::HoldsView(const CKQIEView* view) const {
  return view && m_tabs.m_hWnd && m_tabs.FindTabByView(const_cast<CKQIEView*>(view)) >= 0;
}

void CMainFrame::ShowTab(int index) {
  const int previous = m_tabs.GetLastShownTab();
  m_tabs.SetCurSel(index);
  if (previous != index) m_tabs.ShowTabView(previous, SW_HIDE);
  m_tabs.ShowTabView(index, SW_SHOW);
}

void CMainFrame::OpenUrlInNewTab(LPCWSTR address) {
  if (!m_tabs.m_hWnd || !address) return;
  SetAddressText(address);
  auto* view = new CKQIEView(*this, 1);
  const int index = m_tabs.AddTab(view, address);
  if (index < 0) {
    // Its window could not be made: there is no page to show.
    delete view;
    return;
  }
  ShowTab(index);
  ShowCurrentView();
  view->Navigate2(address);
}

void CMainFrame::AdoptNewWindowView(CKQIEView* view) {
  if (!view || !m_tabs.m_hWnd) return;
  const int index = m_tabs.AddTab(view, u"");
  if (index < 0) return;
  ShowTab(index);
  ShowCurrentView();
  view->SetFocus();
}

void CMainFrame::CloseTab(int index, CWnd* closed) {
  auto* view = static_cast<CKQIEView*>(closed);
  ForgetView(view);
  delete view;
  const int count = m_tabs.GetItemCount();
  if (count == 0) return;  // the strip opens the start page itself
  // The tab that took the closed one's place, or the last one.
  ShowTab(std::min(index, count - 1));
  ShowCurrentView();
}

bool CMainFrame::EnsureStartPage() {
  if (m_tabs.m_hWnd && m_tabs.GetItemCount() > 0) {
    if (auto* view = static_cast<CKQIEView*>(m_tabs.GetTabView(0)))
      return view->GetLocationURL().CompareNoCase(StartPageAddress()) == 0;
  }
  OpenUrlInNewTab(StartPageAddress());
  return true;
}

void CMainFrame::ShowCurrentView() {
  CKQIEView* view = CurrentView();
  if (!view) return;
  const CString address = view->GetLocationURL();
  if (!address.IsEmpty()) SetAddressText(address);
  else m_addressTyped = false;
  SetCaptionTitle(PageTitle(*view, view->GetLocationName()));
  SetStatusText(view->GetStatusText());
  // Back and forward as this page last told them, whatever another tab's
  // page said meanwhile.
  m_navigationButtons.EnableButton(ID_NAVIGATE_BACK, view->GetCommandState(CSC_NAVIGATEBACK));
  m_navigationButtons.EnableButton(ID_NAVIGATE_FORWARD, view->GetCommandState(CSC_NAVIGATEFORWARD));
  OnPriceCandidate();
  Invalidate(FALSE);
}

void CMainFrame::SetCaptionTitle(const CString& title) {
  CString caption = title;
  AppendCaptionSuffix(caption);
  SetWindowText(caption);
  RedrawCaption();
}
