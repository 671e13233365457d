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
// The main toolbar: the product's home page, and the watch-list dialog,
// which a second browser started with "/price" posts too.
constexpr UINT ID_HOME_PAGE = 1020;
constexpr UINT ID_SHOW_CUTPRICE_DLG = 1021;
// The navigation row's boxes and buttons.
constexpr UINT ID_SEARCH = 1030;
constexpr UINT ID_SEARCH_BOX = 1031;
constexpr UINT ID_SHOW_SITE_CHOOSER = 1032;
constexpr UINT ID_GO = 1033;
constexpr UINT ID_ADDRESS_BOX = 1034;
// The home button after the last tab: the start page in a new tab.
constexpr UINT ID_START_PAGE = 1035;
// The favourites bar's groups and the links of their menus.
constexpr UINT ID_FAVOURITE_GROUP_FIRST = 1060;
constexpr UINT ID_FAVOURITE_GROUP_LAST = 1160;
constexpr UINT ID_FAVOURITE_LINK_FIRST = 1170;
constexpr UINT ID_FAVOURITE_LINK_LAST = 1570;
// The site chooser's entries, and the commands that only hide it (the last
// one is the chooser's own when it closes without a choice).
constexpr UINT ID_SITE_FIRST = 1600;
constexpr UINT ID_SITE_LAST = 1602;
constexpr UINT ID_HIDE_CHOOSER_FIRST = 1603;
constexpr UINT ID_HIDE_CHOOSER_LAST = 1610;
// The tab strip's control identifier.
constexpr UINT ID_TAB_STRIP = 10000;

// Messages from the price engine's workers, the watch-list windows and the
// page-icon worker.
constexpr UINT WM_PRICE_PARSED = WM_USER + 4400;    // lParam the view whose page was parsed
constexpr UINT WM_PRICE_DROP = WM_USER + 4401;      // wParam the id of an item whose price fell
constexpr UINT WM_OPEN_ITEM_URL = 1801;             // lParam the address to open (LPCWSTR)
static_assert(WM_PRICE_PARSED == 5424 && WM_PRICE_DROP == 5425);

// The main window's style: clipping its siblings and children, with the
// window menu and the minimise and maximise boxes, and no frame of the
// desktop's.
constexpr DWORD kMainFrameStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
static_assert(kMainFrameStyle == 0x060B0000);
