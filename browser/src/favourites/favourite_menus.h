#pragma once
// The favourites' pop-up menus: what a group's menu and the overflow menu
// hold, finding the link a menu command names, and showing a menu. The
// contents are plain records so that they can be checked without a screen.
// User-interface thread.
#include <vector>

#include "afx/string.h"
#include "collect_entry.h"
#include "afx/geometry.h"

class CWnd;

struct FavouriteMenuItem {
  CString title;
  int id = 0;  // 0 for a submenu
  std::vector<FavouriteMenuItem> submenu;
  bool IsSubmenu() const { return id == 0; }
};
using FavouriteMenu = std::vector<FavouriteMenuItem>;

// A group's menu: one item per entry; an entry with children becomes a
// submenu of them (a nested group without any is a plain item).
FavouriteMenu GroupMenu(const CollectEntry& group);
// One submenu per top-level group whose id lies in [firstId, lastId], each
// holding that group's menu, nested groups included as submenus.
FavouriteMenu OverflowMenu(const CollectList& list, int firstId, int lastId);

// The entry with the id: first among the remembered group's entries (when
// one is remembered), then among every group's, an entry's children before
// the entry itself. Null when none has it.
const CollectEntry* FindFavourite(const CollectList& list, const CollectEntry* menuGroup, int id);

// Shows the menu with its left-top corner at the screen point, owned by
// owner, and returns when it closed; the chosen id reaches owner as
// WM_COMMAND. FALSE when it could not be shown.
BOOL ShowFavouriteMenu(const FavouriteMenu& menu, CPoint screen, CWnd* owner);
