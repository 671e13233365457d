#pragma once
// The window menu of a top-level window: 还原, 移动, 大小, 最小化, 最大化 and
// 关闭, each enabled as the window's state and styles allow. A choice
// reaches the window as a posted WM_SYSCOMMAND.
#include "win/geometry.h"
#include "win/types.h"

namespace quorla {

// The top-level window a window belongs to (itself for a top-level one).
HWND TopLevelWindowOf(HWND hwnd);

// Shows the menu of hwnd's top-level window with its top-left corner at a
// screen point and runs the layer's loop until it closes.
void ShowWindowMenu(HWND hwnd, POINT screen);

}  // namespace quorla
