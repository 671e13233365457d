#include "system_commands.h"

#include "move_loop.h"
#include "window_menu.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/window_state.h"

namespace quorla {

void RunSystemCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
  switch (command & 0xFFF0) {
    case SC_MOVE:
      if (!IsZoomed(hwnd) && !IsIconic(hwnd)) RunMoveLoop(hwnd);
      return;
    case SC_MINIMIZE:
      ShowWindow(hwnd, SW_MINIMIZE);
      return;
    case SC_MAXIMIZE:
      ShowWindow(hwnd, SW_MAXIMIZE);
      return;
    case SC_RESTORE:
      ShowWindow(hwnd, SW_RESTORE);
      return;
    case SC_CLOSE:
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      return;
    case SC_KEYMENU:
      if (lParam == ' ') {
        HWND top = TopLevelWindowOf(hwnd);
        RECT rect{};
        if (top && GetWindowRect(top, &rect)) ShowWindowMenu(top, POINT{rect.left, rect.top});
      }
      return;
    default:
      return;
  }
}

}  // namespace quorla
