#pragma once
// Names and numbers by which the browser's windows and a second browser
// process reach the main window.
#include "win/messages.h"
#include "win/types.h"
#include "win/window_styles.h"

// The main window's class: a second browser finds the running one by it.
inline constexpr WCHAR kMainFrameClassName[] = u"QuorlaMainFrame";

// Posted by a second browser started with "/tray": show the window.
constexpr UINT WM_RESTORE_MAIN_WINDOW = 11111;

// Commands of the main window.
constexpr UINT ID_CAPTION_MINIMIZE = 1001;
constexpr UINT ID_CAPTION_RESTORE = 1002;
constexpr UINT ID_CAPTION_MAXIMIZE = 1003;
constexpr UINT ID_CAPTION_CLOSE = 1004;
constexpr UINT ID_NAVIGATE_FORWARD = 1010;
constexpr UINT ID_NAVIGATE_BACK = 1011;
constexpr UINT ID_NAVIGATE_REFRESH = 1012;
constexpr UINT ID_NAVIGATE_STOP = 1013;
// The watch-list dialog; a second browser started with "/price" posts it.
constexpr UINT ID_SHOW_CUTPRICE_DLG = 1021;

// The main window's style: clipping its siblings and children, with the
// window menu and the minimise and maximise boxes, and no frame of the
// desktop's.
constexpr DWORD kMainFrameStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
static_assert(kMainFrameStyle == 0x060B0000);
