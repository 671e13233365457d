// The shop search: the search box's text on the chosen site's search page,
// in a new tab.
#include "main_frame.h"
#include "search_address.h"

void CMainFrame::Search() {
  if (!m_searchBox.m_hWnd) return;
  CString text;
  m_searchBox.GetWindowText(text);
  // The hint of an untouched box ("淘宝网搜索") is no query.
  const CString address = MakeSearchAddress(m_chooser.GetSelection(), text, m_searchBox.IsShowingHint());
  if (!address.IsEmpty()) OpenUrlInNewTab(address);
}
