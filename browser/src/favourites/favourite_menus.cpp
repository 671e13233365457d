#include "favourite_menus.h"

#include "afx/menu.h"

namespace {

FavouriteMenuItem Item(const CollectEntry& entry) { return FavouriteMenuItem{entry.title, entry.id, {}}; }

const CollectEntry* FindIn(const CollectEntry& group, int id) {
  for (const auto& entry : group.children) {
    for (const auto& child : entry->children) {
      if (child->id == id) return child.get();
    }
    if (entry->id == id) return entry.get();
  }
  return nullptr;
}

bool Fill(CMenu& menu, const FavouriteMenu& items) {
  for (const FavouriteMenuItem& item : items) {
    if (!item.IsSubmenu()) {
      if (!menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(item.id), item.title)) return false;
      continue;
    }
    CMenu submenu;
    if (!submenu.CreatePopupMenu() || !Fill(submenu, item.submenu)) return false;
    if (!menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.GetSafeHmenu()), item.title)) return false;
    submenu.Detach();  // the parent's now
  }
  return true;
}

}  // namespace

FavouriteMenu GroupMenu(const CollectEntry& group) {
  FavouriteMenu menu;
  for (const auto& entry : group.children) {
    if (entry->children.empty()) {
      menu.push_back(Item(*entry));
      continue;
    }
    FavouriteMenuItem submenu{entry->title, 0, {}};
    for (const auto& child : entry->children) submenu.submenu.push_back(Item(*child));
    menu.push_back(std::move(submenu));
  }
  return menu;
}

FavouriteMenu OverflowMenu(const CollectList& list, int firstId, int lastId) {
  FavouriteMenu menu;
  for (const auto& group : list) {
    if (group->id < firstId || group->id > lastId) continue;
    menu.push_back(FavouriteMenuItem{group->title, 0, GroupMenu(*group)});
  }
  return menu;
}

const CollectEntry* FindFavourite(const CollectList& list, const CollectEntry* menuGroup, int id) {
  if (menuGroup) {
    if (const CollectEntry* found = FindIn(*menuGroup, id)) return found;
  }
  for (const auto& group : list) {
    if (const CollectEntry* found = FindIn(*group, id)) return found;
  }
  return nullptr;
}

BOOL ShowFavouriteMenu(const FavouriteMenu& items, CPoint screen, CWnd* owner) {
  CMenu menu;
  if (!menu.CreatePopupMenu() || !Fill(menu, items)) return FALSE;
  return menu.TrackPopupMenu(TPM_LEFTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, owner);
}
