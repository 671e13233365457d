#pragma once
// Messages the browser's own controls post to their parents.
#include "win/messages.h"

// From a text link on a click: wParam the link's window, lParam 0.
constexpr UINT WM_LINK_CLICKED = WM_USER + 9877;  // 10901
// From a toolbar when its overflow button is clicked: wParam the toolbar
// (CMyToolBar*), lParam its ToolBarOverflow record.
constexpr UINT WM_TOOLBAR_OVERFLOW = WM_USER + 9900;  // 10924
static_assert(WM_LINK_CLICKED == 10901 && WM_TOOLBAR_OVERFLOW == 10924);

// The control identifier of a toolbar's overflow button, and the string
// of its tool tip.
constexpr UINT ID_TOOLBAR_OVERFLOW = 1000;
// The bitmap strip of the overflow button.
constexpr UINT IDB_TOOLBAR_OVERFLOW = 385;
