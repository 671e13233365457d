#pragma once
// The default handling of WM_SYSCOMMAND (the command is wParam & 0xFFF0):
// SC_MINIMIZE, SC_MAXIMIZE and SC_RESTORE change the window's state through
// ShowWindow; SC_CLOSE sends WM_CLOSE; SC_MOVE moves the window with the
// mouse (move_loop.h), but not a minimised or maximised one; SC_KEYMENU with
// ' ' in lParam shows the window menu at the top-left corner of the
// top-level window. SC_SIZE does nothing: the layer has no sizing loop.
#include "win/types.h"

namespace quorla {

void RunSystemCommand(HWND hwnd, WPARAM command, LPARAM lParam);

}  // namespace quorla
