#include "afx/menu.h"

#include <utility>

#include "afx/wnd.h"

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreatePopupMenu() {
  if (m_hMenu) return FALSE;
  m_hMenu = ::CreatePopupMenu();
  return m_hMenu != nullptr;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  return ::AppendMenuW(m_hMenu, flags, idOrSubmenu, text);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT ignored) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, ignored);
}

UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(std::exchange(m_hMenu, nullptr));
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }
