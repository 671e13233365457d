#pragma once
// The default window procedure's handling of the on-screen messages;
// DefWindowProcW (messages/window_classes.cpp) calls these.
#include "win/types.h"

namespace quorla {

// Whether the layer handles the message by default; result gets the answer.
bool HandleByDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace quorla
