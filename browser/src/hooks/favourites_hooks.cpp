// The favourites bar's groups and menus and the page-icon worker, as the
// main window asks for them.
#include "favourites_hooks.h"

#include "collect_list_reader.h"
#include "favicon_queue.h"
#include "favourite_menus.h"
#include "favourites_list.h"
#include "my_tool_bar.h"

namespace {

// Lives as long as the process: the worker is never stopped, and the
// process ends by terminating itself.
FaviconQueue& Queue() {
  static auto* queue = new FaviconQueue;
  return *queue;
}

// The group whose menu was shown last, until a link command is handled.
const CollectEntry* g_menuGroup = nullptr;

CPoint LeftBottomOnScreen(CWnd& bar, const RECT& rect) {
  CPoint corner(rect.left, rect.bottom);
  bar.ClientToScreen(&corner);
  return corner;
}

}  // namespace

void RequestFavicon(const CString& pageUrl, CKQIEView* view, uint64_t serial) {
  Queue().RequestFavicon(pageUrl, view, serial);
}

void StartFaviconWorker(CWnd* mainWindow) {
  Queue().SetMainWindow(mainWindow ? mainWindow->GetSafeHwnd() : nullptr);
  Queue().Start();
}

void AddFavouriteGroupButtons(CMyToolBar& bar) {
  const CollectList& list = FavouritesList();
  for (size_t i = 0; i < list.size(); ++i) {
    // A group past the last icon of the strip draws none.
    bar.AddButton(list[i]->title, static_cast<int>(i), list[i]->id, static_cast<LONG_PTR>(i));
  }
}

void OnFavoriteGroup(CWnd* mainWindow, CMyToolBar& bar, UINT id) {
  const CMyToolBar::Button* button = bar.FindButton(static_cast<int>(id));
  const CollectList& list = FavouritesList();
  if (!button || button->ownerValue < 0 || static_cast<size_t>(button->ownerValue) >= list.size()) return;
  g_menuGroup = list[static_cast<size_t>(button->ownerValue)].get();
  ShowFavouriteMenu(GroupMenu(*g_menuGroup), LeftBottomOnScreen(bar, button->rect), mainWindow);
}

CString OnFavoriteLink(UINT id) {
  const CollectEntry* entry = FindFavourite(FavouritesList(), g_menuGroup, static_cast<int>(id));
  g_menuGroup = nullptr;
  return entry ? entry->url : CString();
}

LRESULT OnToolbarOverflow(CWnd* mainWindow, CMyToolBar* bar, const ToolBarOverflow* overflow) {
  if (!overflow || !bar) return 1;
  const FavouriteMenu menu = OverflowMenu(FavouritesList(), overflow->firstHiddenId, overflow->lastHiddenId);
  if (!menu.empty()) ShowFavouriteMenu(menu, LeftBottomOnScreen(*bar, overflow->buttonRect), mainWindow);
  return 1;
}
