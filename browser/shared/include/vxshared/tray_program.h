#pragma once
// How the browser finds and tells the tray program; both programs include
// this, so the names cannot drift apart.
#include "win/messages.h"
#include "win/types.h"

// The tray program's single-instance mutex: held by a running tray program
// from its start to its end. The browser starts the tray program only while
// it is absent, and runs its own price checks only then.
inline constexpr WCHAR kTrayMutexName[] = u"{VXTray-139A4075-879F-4138-8447-AA0D6C6296BF}";

// The class of the tray program's hidden main window.
inline constexpr WCHAR kTrayWindowClass[] = u"VXTrayClassName";

// Posted by the browser, without data, to the tray program's main window:
// the check interval and start-up mode were saved; the tray program reads
// the interval again at its check worker's next wake.
constexpr UINT WM_PRICE_SETTINGS_CHANGED = WM_USER + 1234;
// The watch list was changed and saved; the tray program reloads it at its
// check worker's next wake.
constexpr UINT WM_WATCHLIST_CHANGED = WM_USER + 1235;
