#pragma once
// Pop-up menus and the system commands.
//
// A menu is the layer's own record, made and filled on any thread and
// destroyed with DestroyMenu (which destroys its submenus too). TrackPopupMenu
// shows it as a real menu on screen, kept inside the screen's work area, and
// runs the layer's message loop (GetMessageW) until the menu closes, so
// timers, posted and sent messages go on meanwhile; it works for hidden
// owners and inside sent messages. A window that holds the capture loses it
// (WM_CAPTURECHANGED) when the menu opens. The chosen item arrives as
// WM_COMMAND posted to the owner with the item's whole identifier as wParam
// and lParam 0; a dismissed menu (Esc, a click elsewhere) posts nothing. A
// WM_QUIT met while the menu is open closes it and is posted again.
#include "win/geometry.h"
#include "win/types.h"

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// WM_SYSCOMMAND's commands; the low four bits of wParam are the platform's
// own (SC_MOVE | HTCAPTION is a move started from the caption).
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_RESTORE = 0xF120;

constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
constexpr DWORD ERROR_POPUP_ALREADY_ACTIVE = 1446;

WINAPI_EXPORT HMENU CreatePopupMenu();
// MF_STRING (text), MF_SEPARATOR, or MF_POPUP (idOrSubmenu is the submenu,
// which then belongs to this menu), with MF_GRAYED, MF_DISABLED, MF_CHECKED.
WINAPI_EXPORT BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
// The default item is shown in bold. item (UINT)-1 removes the default.
WINAPI_EXPORT BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
// Destroys the menu and every submenu in it.
WINAPI_EXPORT BOOL DestroyMenu(HMENU menu);
WINAPI_EXPORT BOOL IsMenu(HMENU menu);
// -1 for a menu that does not exist.
WINAPI_EXPORT int GetMenuItemCount(HMENU menu);
// Windows here carry no menu bar: SetMenu takes only "no menu" (FALSE with
// ERROR_NOT_SUPPORTED for a menu, so a caller never believes it shown) and
// GetMenu always answers null.
WINAPI_EXPORT BOOL SetMenu(HWND hwnd, HMENU menu);
WINAPI_EXPORT HMENU GetMenu(HWND hwnd);
// Shows the menu with its corner (as the TPM_*ALIGN flags say) at the
// screen point (x, y), owned by a window of the calling thread. TRUE once
// it closed, or, with TPM_RETURNCMD, the chosen identifier (0 when
// dismissed) and nothing posted. FALSE with ERROR_POPUP_ALREADY_ACTIVE while
// the thread shows a menu already.
WINAPI_EXPORT BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                                  const RECT* ignored);
