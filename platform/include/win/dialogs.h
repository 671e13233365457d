#pragma once
// Dialog boxes from templates in memory.
//
// A template (DLGTEMPLATE or DLGTEMPLATEEX, with its items) gives the
// dialog's styles, size and position in dialog units, its class (default
// "#32770"), title and, with DS_SETFONT, its font. Dialog units are a
// quarter of the font's average character width and an eighth of its height
// (the base units); "MS Shell Dlg" at 8 points has the fixed base units
// 6 x 13 pixels, other fonts are measured, and a template without a font
// uses GetDialogBaseUnits. Items are made as child windows of their classes
// (0x0080 Button, 0x0081 Edit, 0x0082 Static, 0x0083 ListBox, 0x0084
// ScrollBar, 0x0085 ComboBox, or a class name); an item whose class is not
// registered is left out and the dialog works without it.
//
// Creation: the window is made hidden; the dialog procedure sees its
// messages from WM_NCCREATE on; WM_SETFONT (with DS_SETFONT), the items,
// then WM_INITDIALOG (wParam the first item that takes the focus, lParam the
// caller's value; a nonzero result gives that item the focus).
//
// A dialog procedure returns TRUE when it handled a message and leaves the
// message's result in DWLP_MSGRESULT (for WM_INITDIALOG and the few
// messages whose result is the handle or value itself, the returned value
// is the result); FALSE leaves the message to the default handling of
// DefDlgProcW: WM_CLOSE sends WM_COMMAND IDCANCEL, WM_GETFONT gives the
// dialog's font, the rest goes to DefWindowProcW.
//
// Modal dialogs run the layer's message loop (GetMessageW) until EndDialog:
// timers, posted and sent messages go on inside it. The dialog is shown when
// its loop first finds the queue empty. The owner gets no input meanwhile
// (EnableWindow(owner, FALSE)) and is enabled again before the dialog is
// destroyed. Its keys go through IsDialogMessageW.
// A WM_QUIT met in the loop ends it and is posted again for the loops
// outside.
#include "win/geometry.h"
#include "win/gdi_objects.h"
#include "win/message_box.h"
#include "win/messages.h"
#include "win/types.h"

#pragma pack(push, 2)
struct DLGTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
struct DLGITEMTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
};
#pragma pack(pop)
static_assert(sizeof(DLGTEMPLATE) == 18 && sizeof(DLGITEMTEMPLATE) == 18);
using LPCDLGTEMPLATEW = const DLGTEMPLATE*;

using DLGPROC = INT_PTR (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Per-dialog values (GetWindowLongPtrW/SetWindowLongPtrW) after the class's
// extra bytes of DLGWINDOWEXTRA.
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
constexpr int DLGWINDOWEXTRA = 30;
static_assert(DWLP_USER + static_cast<int>(sizeof(LONG_PTR)) <= DLGWINDOWEXTRA);

constexpr DWORD ERROR_CONTROL_ID_NOT_FOUND = 1421;
constexpr WORD BN_CLICKED = 0;

// The dialog class's name (the default class of templates).
#define WC_DIALOG (u"#32770")

// The result given to EndDialog; -1 when the dialog could not be made.
WINAPI_EXPORT INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                              DLGPROC procedure, LPARAM initParam);
// A modeless dialog, shown at once when the template has WS_VISIBLE; null on
// failure.
WINAPI_EXPORT HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                              DLGPROC procedure, LPARAM initParam);
// Ends a modal dialog's loop after the message being handled; the result
// becomes DialogBoxIndirectParamW's. FALSE for a window that is no dialog.
WINAPI_EXPORT BOOL EndDialog(HWND dialog, INT_PTR result);
WINAPI_EXPORT LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Handles the dialog keys of a message meant for the dialog or one of its
// items, unless the control with the key asks for it (WM_GETDLGCODE):
// Esc sends IDCANCEL; Enter sends the identifier of the push button that
// has the focus, else of the dialog's BS_DEFPUSHBUTTON, else IDOK; Tab and
// Shift+Tab move the focus to the next and previous item with WS_TABSTOP
// (an edit then selects its text); the arrow keys move it within the
// item's group (right and down onwards, left and up back), and an
// automatic radio button reached so is clicked. Other messages are
// translated and dispatched. TRUE for every message of the dialog.
WINAPI_EXPORT BOOL IsDialogMessageW(HWND dialog, LPMSG msg);

// WM_GETDLGCODE's answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// Items in the order they were made. The next (or, with previous, the
// previous) visible, enabled item with WS_TABSTOP after control, wrapping
// around; control itself when there is no other, null when none qualifies.
WINAPI_EXPORT HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The same within control's group (from an item with WS_GROUP, or the
// first item, to the item before the next WS_GROUP), WS_TABSTOP or not.
WINAPI_EXPORT HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

WINAPI_EXPORT HWND GetDlgItem(HWND dialog, int id);
WINAPI_EXPORT int GetDlgCtrlID(HWND hwnd);
WINAPI_EXPORT BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);

// Dialog units of the dialog to pixels: x and widths times the base width
// over 4, y and heights times the base height over 8, rounded.
WINAPI_EXPORT BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The base units of dialogs without a font of their own: the width in the
// low word, the height in the high word.
WINAPI_EXPORT LONG GetDialogBaseUnits();
