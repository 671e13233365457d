#include "window_menu.h"

#include "window_tree.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {

HWND TopLevelWindowOf(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  auto top = window ? TopLevelLocked(window) : nullptr;
  return top ? top->handle : nullptr;
}

void ShowWindowMenu(HWND hwnd, POINT screen) {
  HWND top = TopLevelWindowOf(hwnd);
  if (!top) return;
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(top, GWL_STYLE));
  bool closable = true;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(top);
    if (window && window->windowClass) closable = !(window->windowClass->info.style & CS_NOCLOSE);
  }
  const bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
  auto enabledIf = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };

  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, enabledIf(minimized || maximized), SC_RESTORE, u"还原");
  AppendMenuW(menu, enabledIf(!minimized && !maximized), SC_MOVE, u"移动");
  // Sizing with the keyboard is not offered.
  AppendMenuW(menu, enabledIf(false), SC_SIZE, u"大小");
  AppendMenuW(menu, enabledIf(!minimized && (style & WS_MINIMIZEBOX)), SC_MINIMIZE, u"最小化");
  AppendMenuW(menu, enabledIf(!maximized && (style & WS_MAXIMIZEBOX)), SC_MAXIMIZE, u"最大化");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, enabledIf(closable), SC_CLOSE, u"关闭\tAlt+F4");
  SetMenuDefaultItem(menu, static_cast<UINT>(SC_CLOSE), FALSE);
  const UINT_PTR chosen =
      static_cast<UINT_PTR>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, screen.x, screen.y, 0, top, nullptr));
  DestroyMenu(menu);
  if (chosen && IsWindow(top)) PostMessageW(top, WM_SYSCOMMAND, chosen, 0);
}

}  // namespace quorla
