// Menu records: making, filling and destroying menus.
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "menus_table.h"
#include "win/last_error.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

struct MenuItem {
  UINT flags = 0;
  UINT_PTR id = 0;  // the submenu's handle for MF_POPUP
  std::u16string text;
};

struct MenuRecord {
  std::vector<MenuItem> items;
  int defaultPosition = -1;
};

struct MenuTable {
  std::mutex lock;
  std::map<HMENU, MenuRecord> menus;
  ULONG_PTR next = 0x00A00010;
};

MenuTable& Menus() {
  static auto* table = new MenuTable;
  return *table;
}

MenuRecord* FindLocked(MenuTable& table, HMENU menu) {
  auto found = table.menus.find(menu);
  return found == table.menus.end() ? nullptr : &found->second;
}

HMENU SubmenuOf(const MenuItem& item) {
  return (item.flags & MF_POPUP) ? reinterpret_cast<HMENU>(item.id) : nullptr;
}

// Whether `inner` is `outer` or lies somewhere inside it.
bool ContainsLocked(MenuTable& table, HMENU outer, HMENU inner, std::set<HMENU>& seen) {
  if (outer == inner) return true;
  if (!seen.insert(outer).second) return false;
  MenuRecord* record = FindLocked(table, outer);
  if (!record) return false;
  for (const MenuItem& item : record->items)
    if (HMENU sub = SubmenuOf(item); sub && ContainsLocked(table, sub, inner, seen)) return true;
  return false;
}

void DestroyLocked(MenuTable& table, HMENU menu) {
  auto found = table.menus.find(menu);
  if (found == table.menus.end()) return;
  MenuRecord record = std::move(found->second);
  table.menus.erase(found);
  for (const MenuItem& item : record.items)
    if (HMENU sub = SubmenuOf(item)) DestroyLocked(table, sub);
}

std::vector<MenuItemCopy> CopyLocked(MenuTable& table, const MenuRecord& record) {
  std::vector<MenuItemCopy> items;
  for (size_t i = 0; i < record.items.size(); ++i) {
    const MenuItem& item = record.items[i];
    MenuItemCopy copy;
    copy.flags = item.flags;
    copy.id = item.id;
    copy.text = item.text;
    copy.isDefault = static_cast<int>(i) == record.defaultPosition;
    if (HMENU sub = SubmenuOf(item)) {
      copy.id = 0;
      if (MenuRecord* inner = FindLocked(table, sub)) copy.submenu = CopyLocked(table, *inner);
    }
    items.push_back(std::move(copy));
  }
  return items;
}

constexpr UINT kKnownFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;

}  // namespace

std::optional<std::vector<MenuItemCopy>> CopyMenu(HMENU menu) {
  MenuTable& table = Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  MenuRecord* record = FindLocked(table, menu);
  if (!record) return std::nullopt;
  return CopyLocked(table, *record);
}

}  // namespace quorla

HMENU CreatePopupMenu() {
  quorla::MenuTable& table = quorla::Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  HMENU menu;
  do {
    menu = reinterpret_cast<HMENU>(table.next);
    table.next += 4;
    if (table.next >= 0x7FFFFFF0) table.next = 0x00A00010;
  } while (table.menus.count(menu));
  table.menus.emplace(menu, quorla::MenuRecord{});
  return menu;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  quorla::MenuTable& table = quorla::Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  quorla::MenuRecord* record = quorla::FindLocked(table, menu);
  if (!record) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  quorla::MenuItem item;
  item.flags = flags & quorla::kKnownFlags;
  item.id = idOrSubmenu;
  if (flags & MF_POPUP) {
    auto submenu = reinterpret_cast<HMENU>(idOrSubmenu);
    std::set<HMENU> seen;
    // A submenu must exist and must not hold the menu it goes into.
    if (!quorla::FindLocked(table, submenu) || quorla::ContainsLocked(table, submenu, menu, seen)) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return FALSE;
    }
  }
  if (!(flags & MF_SEPARATOR) && text) item.text = text;
  if (flags & MF_SEPARATOR) item.id = 0;
  record->items.push_back(std::move(item));
  return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  quorla::MenuTable& table = quorla::Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  quorla::MenuRecord* record = quorla::FindLocked(table, menu);
  if (!record) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (item == static_cast<UINT>(-1)) {
    record->defaultPosition = -1;
    return TRUE;
  }
  for (size_t i = 0; i < record->items.size(); ++i) {
    const quorla::MenuItem& candidate = record->items[i];
    if (candidate.flags & MF_SEPARATOR) continue;
    bool matches = byPosition ? i == item : !(candidate.flags & MF_POPUP) && candidate.id == item;
    if (matches) {
      record->defaultPosition = static_cast<int>(i);
      return TRUE;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

BOOL DestroyMenu(HMENU menu) {
  quorla::MenuTable& table = quorla::Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  if (!quorla::FindLocked(table, menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  quorla::DestroyLocked(table, menu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) {
  quorla::MenuTable& table = quorla::Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  return quorla::FindLocked(table, menu) ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU menu) {
  quorla::MenuTable& table = quorla::Menus();
  std::lock_guard<std::mutex> guard(table.lock);
  quorla::MenuRecord* record = quorla::FindLocked(table, menu);
  if (!record) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return -1;
  }
  return static_cast<int>(record->items.size());
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (menu) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  return TRUE;
}

HMENU GetMenu(HWND) { return nullptr; }
