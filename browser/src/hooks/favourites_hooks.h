#pragma once
// What the main window asks of the favourites and of the page icons: the
// favourites bar's groups and their menus, and the icon of each tab's site.
// Until those are built these do nothing: the bar stays empty and every tab
// keeps its default icon. All of them are called on the user-interface
// thread.
#include <vector>

#include "afx/string.h"
#include "win/messages.h"
#include "win/types.h"

class CKQIEView;
class CMyToolBar;
class CWnd;
struct ToolBarOverflow;

// One page-icon download: the icon's address, the view whose tab gets it
// (only compared, never used through the pointer: its tab may be gone) and
// the body. The worker sends it to the main window with WM_FAVICON_LOADED
// (lParam the request) and waits, so it stays valid while it is handled.
struct FaviconRequest {
  CString url;
  CKQIEView* view = nullptr;
  std::vector<BYTE> bytes;
};
constexpr UINT WM_FAVICON_LOADED = WM_USER + 9000;
static_assert(WM_FAVICON_LOADED == 10024);

// Queues a download of the icon of the page's site for the tab of view;
// the icon reaches the main window later as WM_FAVICON_LOADED.
void RequestFavicon(const CString& pageUrl, CKQIEView* view);
// Starts the worker that downloads the queued icons for mainWindow, unless
// it runs already.
void StartFaviconWorker(CWnd* mainWindow);

// Reads the favourites once, then adds one button per group to bar.
void LoadCollectList();
void AddFavouriteGroupButtons(CMyToolBar& bar);
// A group's button was clicked (commands 1060-1160): its menu, owned by
// mainWindow.
void OnFavoriteGroup(CWnd* mainWindow, CMyToolBar& bar, UINT id);
// A link was chosen (commands 1170-1570): its address, empty when there is
// none.
CString OnFavoriteLink(UINT id);
// The favourites bar's overflow button was clicked: the menu of the groups
// that did not fit. Answers the message.
LRESULT OnToolbarOverflow(CWnd* mainWindow, CMyToolBar* bar, const ToolBarOverflow* overflow);
