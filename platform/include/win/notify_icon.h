#pragma once
// The notification-area icon ("tray icon") of a window, identified by the
// window and its uID. Mouse actions on the icon come back as the callback
// message posted to the window: wParam the uID, lParam the mouse message (a
// click gives WM_LBUTTONDOWN then WM_LBUTTONUP, a double click
// WM_LBUTTONDBLCLK in place of its second press, a right click
// WM_RBUTTONDOWN then WM_RBUTTONUP). No menu is attached to the icon: the
// program shows its own.
//
// Call from the user-interface thread (FALSE with ERROR_ACCESS_DENIED from
// another). The icon is shown through the desktop's notification area; when
// a display has none yet (a program started at log-on may come before the
// panel), NIM_ADD waits for one for up to 30 seconds, keeping the display
// connection served but handling none of the program's messages, and then
// fails. Without a display it fails at once.
#include "win/guid.h"
#include "win/types.h"

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;

constexpr UINT NIF_MESSAGE = 0x01;
constexpr UINT NIF_ICON = 0x02;
constexpr UINT NIF_TIP = 0x04;

// The platform's record. Only cbSize up to szTip is read; any cbSize is
// accepted.
struct NOTIFYICONDATAW {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  WCHAR szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  WCHAR szInfo[256];
  union {
    UINT uTimeout;
    UINT uVersion;
  };
  WCHAR szInfoTitle[64];
  DWORD dwInfoFlags;
  GUID guidItem;
  HICON hBalloonIcon;
};
using PNOTIFYICONDATAW = NOTIFYICONDATAW*;

// NIM_ADD fails for an icon that exists or a window that does not;
// NIM_MODIFY and NIM_DELETE for an icon that does not exist.
WINAPI_EXPORT BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data);

namespace quorla {
// How long NIM_ADD waits for a notification area (30 000 ms unless changed).
// For tests, which cannot wait half a minute for a failure.
WINAPI_EXPORT void SetNotificationAreaWait(DWORD milliseconds);
}  // namespace quorla
