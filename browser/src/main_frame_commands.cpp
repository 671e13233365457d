// The commands of the navigation row, the toolbars, the site chooser, the
// favourites and the caption's links.
#include <algorithm>
#include <iterator>

#include "browser_ids.h"
#include "favourites_hooks.h"
#include "kqie_view.h"
#include "main_frame.h"
#include "main_frame_addresses.h"
#include "my_tool_bar.h"
#include "price_watch_hooks.h"
#include "process_objects.h"

void CMainFrame::OnNavigationButton(UINT id) {
  CKQIEView* view = CurrentView();
  if (!view) return;
  switch (id) {
    case ID_NAVIGATE_FORWARD:
      view->GoForward();
      break;
    case ID_NAVIGATE_BACK:
      view->GoBack();
      break;
    case ID_NAVIGATE_REFRESH:
      view->Refresh2(REFRESH_NORMAL);
      break;
    case ID_NAVIGATE_STOP:
      view->Stop();
      break;
    default:
      break;
  }
}

void CMainFrame::OnHomePage() { OpenUrlInNewTab(kHomePageAddress); }

void CMainFrame::OnShowWatchList() { ShowWatchListDialog(this); }

void CMainFrame::OnSearch() { Search(); }

void CMainFrame::OnShowChooser() {
  if (!m_chooser.m_hWnd) return;
  m_chooser.ShowWindow(SW_SHOW);
  m_chooser.BringWindowToTop();
}

void CMainFrame::OnGo() { GoToAddress(); }

void CMainFrame::OnStartPage() { OpenUrlInNewTab(StartPageAddress()); }

void CMainFrame::GoToAddress() {
  if (!m_addressBox.m_hWnd) return;
  CString address;
  m_addressBox.GetWindowText(address);
  if (address.IsEmpty()) return;
  // Enter commits what the user typed: from now on the page's own address
  // is shown again.
  m_addressTyped = false;
  SetTabState(m_tabs.GetCurSel(), TABSTATE_LOADING | TABSTATE_ICON, TABSTATE_LOADING);
  if (CKQIEView* view = CurrentView()) view->Navigate2(address);
}

void CMainFrame::OnSelectSite(UINT id) {
  if (ChooseEntry* entry = m_chooser.FindEntry(static_cast<int>(id))) {
    m_siteIcon = &entry->icon;
    m_chooser.SetSelection(static_cast<int>(id));
    CString hint = entry->title;
    hint += u"搜索";
    if (m_searchBox.IsShowingHint()) m_searchBox.SetHintText(hint);
    Invalidate(FALSE);
  }
  if (m_chooser.m_hWnd) m_chooser.ShowWindow(SW_HIDE);
}

void CMainFrame::OnHideChooser(UINT) {
  if (m_chooser.m_hWnd) m_chooser.ShowWindow(SW_HIDE);
}

HBRUSH CMainFrame::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  HBRUSH brush = CWnd::OnCtlColor(dc, control, kind);
  if (control && control->m_hWnd == m_searchBox.m_hWnd)
    dc->SetTextColor(m_searchBox.IsShowingHint() ? RGB(0xBE, 0xBE, 0xBE) : RGB(0, 0, 0));
  return brush;
}

BOOL CMainFrame::OnTabToolTipText(UINT, NMHDR* header, LRESULT* result) {
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  *result = 0;
  // Tool n is tab n - 1; the text goes into the notification's own buffer.
  const int tab = static_cast<int>(header->idFrom) - 1;
  if (tab < 0 || !m_tabs.m_hWnd) return FALSE;
  const CString text = m_tabs.GetTabText(tab);
  const int length = std::min(text.GetLength(), static_cast<int>(std::size(info->szText)) - 1);
  std::copy_n(text.GetString(), length, info->szText);
  info->szText[length] = 0;
  info->lpszText = info->szText;
  return TRUE;
}

void CMainFrame::OnFavouriteGroup(UINT id) { OnFavoriteGroup(this, m_favouritesBar, id); }

void CMainFrame::OnFavouriteLink(UINT id) {
  const CString address = OnFavoriteLink(id);
  if (!address.IsEmpty()) OpenUrlInNewTab(address);
}

LRESULT CMainFrame::OnToolbarOverflow(WPARAM bar, LPARAM overflow) {
  return ::OnToolbarOverflow(this, reinterpret_cast<CMyToolBar*>(bar), reinterpret_cast<const ToolBarOverflow*>(overflow));
}

LRESULT CMainFrame::OnLinkClicked(WPARAM link, LPARAM) {
  const HWND window = reinterpret_cast<HWND>(link);
  if (window && window == m_settingsLink.m_hWnd) {
    ShowSettingsDialog(this);
  } else if (window && window == m_feedbackLink.m_hWnd) {
    OpenUrlInNewTab(kFeedbackPageAddress);
  }
  return 1;
}
