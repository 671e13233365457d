#pragma once
// The layer's menu records. Menus are process-wide and guarded by one lock;
// the on-screen menu works on a copy taken when it opens, so a menu changed
// or destroyed meanwhile never pulls the ground from under it.
#include <optional>
#include <string>
#include <vector>

#include "win/menus.h"

namespace quorla {

struct MenuItemCopy {
  UINT flags = 0;
  UINT_PTR id = 0;
  std::u16string text;
  bool isDefault = false;
  std::vector<MenuItemCopy> submenu;  // MF_POPUP
};

// The items of a menu with its submenus; empty for a menu that does not exist.
std::optional<std::vector<MenuItemCopy>> CopyMenu(HMENU menu);

}  // namespace quorla
