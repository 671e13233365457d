#pragma once
// The button control, class "Button", registered by the layer. Push buttons
// (BS_PUSHBUTTON, BS_DEFPUSHBUTTON) draw the desktop's face with their text
// in their font (WM_SETFONT); owner-drawn ones (BS_OWNERDRAW) fill with the
// brush their parent answers to WM_CTLCOLORBTN, when it gives one, and ask
// the parent to draw them with WM_DRAWITEM (ODT_BUTTON, the button's
// identifier, the button's own DC and client rectangle): the whole button
// (ODA_DRAWENTIRE) when it paints or is enabled or disabled, ODA_SELECT when
// its highlight changes, ODA_FOCUS when it gains or loses the focus, with
// ODS_SELECTED, ODS_FOCUS and ODS_DISABLED in itemState.
//
// A left press (or the second press of a double click: the class has
// CS_DBLCLKS) takes the focus and the capture and highlights the button;
// while the button holds the capture the highlight follows the pointer in
// and out; a release over the button sends WM_COMMAND with
// MAKEWPARAM(id, BN_CLICKED) and the button as lParam to the parent, a
// release elsewhere sends nothing. Losing the capture or the focus during a
// press ends it without a click.
//
// Radio buttons (BS_RADIOBUTTON, BS_AUTORADIOBUTTON) draw a round mark,
// filled while checked (BM_SETCHECK, BM_GETCHECK), with their text beside
// it, on the brush the parent answers to WM_CTLCOLORSTATIC (the dialog face
// without one); a disabled one greys its mark and text. A click on an
// automatic one checks it and unchecks the other radio buttons of its group
// before BN_CLICKED goes out: a group runs, in the order the siblings were
// made, from a window with WS_GROUP (or the first sibling) up to the next
// one with WS_GROUP. Other button kinds (check boxes) are not offered: they
// behave as push buttons.
//
// WM_GETDLGCODE answers DLGC_BUTTON with DLGC_DEFPUSHBUTTON or
// DLGC_UNDEFPUSHBUTTON for push buttons, DLGC_RADIOBUTTON for radio
// buttons.
#include "win/dialogs.h"
#include "win/messages.h"
#include "win/notifications.h"

#define WC_BUTTONW (u"Button")

constexpr DWORD BS_PUSHBUTTON = 0x00000000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x00000001;
constexpr DWORD BS_RADIOBUTTON = 0x00000004;
constexpr DWORD BS_AUTORADIOBUTTON = 0x00000009;
constexpr DWORD BS_OWNERDRAW = 0x0000000B;
constexpr DWORD BS_TYPEMASK = 0x0000000F;

// BM_GETSTATE's bits; BM_GETCHECK answers BST_UNCHECKED or BST_CHECKED.
constexpr UINT BST_UNCHECKED = 0x0000;
constexpr UINT BST_CHECKED = 0x0001;
constexpr UINT BST_PUSHED = 0x0004;
constexpr UINT BST_FOCUS = 0x0008;

constexpr UINT BM_GETCHECK = 0x00F0;
// wParam BST_CHECKED or BST_UNCHECKED; radio buttons redraw on a change.
constexpr UINT BM_SETCHECK = 0x00F1;
// Returns BST_PUSHED, BST_FOCUS and BST_CHECKED as they are.
constexpr UINT BM_GETSTATE = 0x00F2;
// wParam TRUE highlights, FALSE clears the highlight; redraws on a change.
constexpr UINT BM_SETSTATE = 0x00F3;
// A press and a release over the button, as by the mouse: an enabled button
// sends BN_CLICKED.
constexpr UINT BM_CLICK = 0x00F5;

// Checks the radio button check of the dialog's items first..last and
// unchecks the others there; FALSE when first > last.
WINAPI_EXPORT BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
// BM_GETCHECK of the item; 0 for an item that does not exist.
WINAPI_EXPORT UINT IsDlgButtonChecked(HWND dialog, int id);
WINAPI_EXPORT BOOL CheckDlgButton(HWND dialog, int id, UINT check);
