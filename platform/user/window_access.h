#pragma once
// The Qt widget that shows a top-level window, for the parts of the layer
// that put Qt objects beside a window (menus, the move loop) and for the
// layer's tests, which inject input as Qt events. Null while the window has
// never been shown, for child windows and off the thread that runs Qt.
#include "win/types.h"

class QWidget;

namespace quorla {

WINAPI_EXPORT QWidget* WidgetOfWindow(HWND hwnd);

}  // namespace quorla
