#pragma once
// CMenu: owns a pop-up menu of the layer (win/menus.h) while it holds one.
// A submenu appended with MF_POPUP belongs to its parent from then on:
// Detach the submenu's CMenu so that only the parent destroys it.
#include "win/menus.h"
#include "win/types.h"

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  HMENU GetSafeHmenu() const { return m_hMenu; }
  operator HMENU() const { return m_hMenu; }

  // FALSE while this object holds a menu already, or when none was made.
  BOOL CreatePopupMenu();
  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubmenu = 0, LPCWSTR text = nullptr);
  // Shows the menu at the screen point (x, y) owned by owner, and returns
  // when it closed; see TrackPopupMenu for what is posted.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT ignored = nullptr);
  UINT GetMenuItemCount() const;
  // Destroys the menu held (and its submenus); FALSE when none is held.
  BOOL DestroyMenu();
  // Gives the menu up without destroying it.
  HMENU Detach();
};
