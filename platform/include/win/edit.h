#pragma once
// The edit control, class "Edit", registered by the layer: one line of text
// that a person types into, backed on screen by a real text field of the
// toolkit (input methods, the clipboard and selection work as the desktop
// has them).
//
// Text. The window text is the control's text: WM_SETTEXT replaces it
// (caret at the start, no selection), WM_GETTEXT and WM_GETTEXTLENGTH read
// it, also while the user types. The parent gets WM_COMMAND with
// MAKEWPARAM(id, EN_CHANGE) and the control as lParam after every change,
// typed or set (WM_SETTEXT, EM_REPLACESEL), and EN_SETFOCUS / EN_KILLFOCUS
// when the control gains or loses the keyboard focus.
//
// Selection. EM_SETSEL: wParam the anchor, lParam the caret (-1, or past
// the end: the end of the text); an anchor of -1 only drops the selection.
// EM_GETSEL answers MAKELONG(start, end) and writes both to the DWORDs that
// wParam and lParam point to when not null. EM_REPLACESEL puts lParam's text
// in place of the selection. EM_SCROLLCARET scrolls the caret into view.
//
// Styles. ES_CENTER and ES_RIGHT align the text; ES_NUMBER lets only digits
// be typed (set and pasted text is taken as it is); the text scrolls
// sideways as it grows (ES_AUTOHSCROLL: every edit of this layer does).
// WS_BORDER or WS_EX_CLIENTEDGE draw a frame.
//
// Colours. Each time the control paints it asks its parent with
// WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC while disabled), wParam a device
// context, lParam the control: the text is drawn in the DC's text colour
// and the background filled with the answered brush; a null answer means
// the window background (white), the hollow brush (NULL_BRUSH) lets the
// parent's drawing show through.
//
// Mouse. A left press focuses the control and places the caret before the
// window procedure returns, and the control holds the capture until the
// buttons are up. The Enter that ends an input method's composition reaches
// the control's text, not the program as VK_RETURN.
#include "win/messages.h"
#include "win/notifications.h"

#define WC_EDITW (u"Edit")

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NUMBER = 0x2000;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_REPLACESEL = 0x00C2;

// Notification codes in the high word of WM_COMMAND's wParam.
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
