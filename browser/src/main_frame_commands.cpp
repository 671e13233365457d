// The commands of the toolbars, the favourites and the caption's links.
#include "browser_ids.h"
#include "favourites_hooks.h"
#include "main_frame.h"
#include "my_tool_bar.h"
#include "price_watch_hooks.h"

void CMainFrame::OnShowWatchList() { ShowWatchListDialog(this); }

void CMainFrame::OnFavouriteGroup(UINT id) { OnFavoriteGroup(this, m_favouritesBar, id); }


LRESULT CMainFrame::OnToolbarOverflow(WPARAM bar, LPARAM overflow) {
  return ::OnToolbarOverflow(this, reinterpret_cast<CMyToolBar*>(bar), reinterpret_cast<const ToolBarOverflow*>(overflow));
}

LRESULT CMainFrame::OnLinkClicked(WPARAM link, LPARAM) {
  const HWND window = reinterpret_cast<HWND>(link);
  if (window && window == m_settingsLink.m_hWnd) {
    ShowSettingsDialog(this);
  }
  return 1;
}
