#pragma once
// The window of a WebBrowser control: a child window whose procedure keeps
// the engine's view over it and tells the control when the window goes.
#include "win/geometry.h"
#include "win/types.h"

namespace quorla {

class WebBrowserControl;

// Null when the window cannot be made. The window refers to the control
// without holding a reference.
HWND CreateWebBrowserWindow(HWND parent, DWORD style, const RECT& rect, UINT id, WebBrowserControl* control);

}  // namespace quorla
