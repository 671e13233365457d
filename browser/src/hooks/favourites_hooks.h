#pragma once
// What the main window asks of the favourites and of the page icons: the
// favourites bar's groups and their menus, and the icon of each tab's site.
// All of them are called on the user-interface thread.
#include <cstdint>
#include <vector>

#include "afx/string.h"
#include "win/messages.h"
#include "win/types.h"

class CKQIEView;
class CMyToolBar;
class CWnd;
struct ToolBarOverflow;

// One page-icon download: the icon's address, the view whose tab gets it
// with the view's serial number (the view is only compared, never used
// through the pointer: its tab may be gone, and a new view may have taken
// its memory, which the serial tells apart) and the body. The worker sends
// it to the main window with WM_FAVICON_LOADED (lParam the request) and
// waits, so it stays valid while it is handled.
struct FaviconRequest {
  CString url;
  CKQIEView* view = nullptr;
  uint64_t serial = 0;
  std::vector<BYTE> bytes;
};
constexpr UINT WM_FAVICON_LOADED = WM_USER + 9000;
static_assert(WM_FAVICON_LOADED == 10024);

// Queues a download of the icon of the page's site for the tab of view
// (with its serial number); the icon reaches the main window later as
// WM_FAVICON_LOADED. A page that is not http or https queues nothing.
void RequestFavicon(const CString& pageUrl, CKQIEView* view, uint64_t serial);
// Starts the worker that downloads the queued icons, unless it runs
// already; the icons go to mainWindow from now on.
void StartFaviconWorker(CWnd* mainWindow);

// Reads the favourites once (config/collect.xml beside the program), then
// adds one button per group to bar: its title, the icon of its position,
// its id, and its position in the list as the owner value.
void LoadCollectList();
void AddFavouriteGroupButtons(CMyToolBar& bar);
// A group's button was clicked (commands 1060-1160): its menu at the
// button's left-bottom corner, owned by mainWindow; the group is
// remembered.
void OnFavoriteGroup(CWnd* mainWindow, CMyToolBar& bar, UINT id);
// A link was chosen (commands 1170-1570): its address, empty when there is
// none. The remembered group is searched first, then every group; it is
// forgotten afterwards.
CString OnFavoriteLink(UINT id);
// The favourites bar's overflow button was clicked: the menu of the groups
// that did not fit, each a submenu. Answers the message; the remembered
// group stays.
LRESULT OnToolbarOverflow(CWnd* mainWindow, CMyToolBar* bar, const ToolBarOverflow* overflow);
