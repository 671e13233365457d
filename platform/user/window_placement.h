#pragma once
// Placement internals shared by SetWindowPos, ShowWindow, CreateWindowExW
// and the default window procedure.
#include "win/window_state.h"

namespace quorla {

// Flags the layer adds to WM_WINDOWPOSCHANGED's WINDOWPOS when the client
// area did not move or change size, so that the default handling sends
// WM_MOVE and WM_SIZE only for real changes.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

// SetWindowPos; stateChanged makes WM_SIZE go out even without a change of
// size (the window was minimised, maximised or restored).
BOOL PlaceWindow(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags, bool stateChanged);

// WM_SIZE's wParam and lParam for the window's current state and size, and
// WM_MOVE's lParam.
void SizeMessageParameters(HWND hwnd, WPARAM* wParam, LPARAM* lParam);
LPARAM MoveMessageParameter(HWND hwnd);

// The desktop's work area, where a maximised window goes (screen
// coordinates).
RECT WorkAreaForMaximise();

}  // namespace quorla
