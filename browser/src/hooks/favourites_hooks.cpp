// The favourites and the page icons are not part of the browser yet: the
// bar stays empty and no icon is fetched.
#include "favourites_hooks.h"

void RequestFavicon(const CString&, CKQIEView*) {}
void StartFaviconWorker(CWnd*) {}

void LoadCollectList() {}
void AddFavouriteGroupButtons(CMyToolBar&) {}
void OnFavoriteGroup(CWnd*, CMyToolBar&, UINT) {}
CString OnFavoriteLink(UINT) { return CString(); }
LRESULT OnToolbarOverflow(CWnd*, CMyToolBar*, const ToolBarOverflow*) { return 1; }
