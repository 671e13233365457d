#pragma once
// The tab control, class "SysTabControl32", registered by the layer.
//
// One row of tabs, all as wide and as high as TCM_SETITEMSIZE says (96 by
// 20 until it is sent; labels never size a tab in this layer): tab i spans
// x 2 + i·w to 2 + (i + 1)·w and y 2 to 2 + h of the client area. Each item
// has a text, an lParam and free state bits; TCIS_BUTTONPRESSED is the
// selection's and reads as set for the selected item only (setting it
// changes nothing). The first item inserted into an empty control becomes
// the selection; deleting the selected item leaves none (-1).
//
// A left press on a tab that is not the selected one (or the second press
// of a double click: the class has CS_DBLCLKS) asks the parent with
// WM_NOTIFY TCN_SELCHANGING (answer TRUE to keep the selection), then
// selects the tab and tells the parent TCN_SELCHANGE. TCM_SETCURSEL,
// TCM_INSERTITEM and TCM_DELETEITEM change the selection without telling
// anyone. A press neither takes the focus nor the capture.
//
// The control draws nothing itself (no background, no tabs): its owner
// paints it, as a window that subclasses it. Reading an item that does not
// exist fails (FALSE) and hands back state 0, lParam 0 and an empty text
// for what the mask asks.
//
// TCM_SETTOOLTIPS names a tooltip control whose tools the owner keeps; the
// notifications that tooltip sends to the tab control (its tools' text
// requests TTN_GETDISPINFOW / TTN_NEEDTEXTW among them) go on to the tab
// control's parent unchanged, and the parent's answer comes back. The tab
// control relays no mouse messages to it.
#include "win/messages.h"
#include "win/notifications.h"
#include "win/types.h"

#define WC_TABCONTROLW (u"SysTabControl32")

constexpr DWORD TCS_FIXEDWIDTH = 0x0400;

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
// wParam the index, lParam TCITEMW*; FALSE for an index without an item.
constexpr UINT TCM_GETITEMW = TCM_FIRST + 60;
constexpr UINT TCM_SETITEMW = TCM_FIRST + 61;
// wParam the index (past the end: appended), lParam TCITEMW*; the new
// item's index, or -1.
constexpr UINT TCM_INSERTITEMW = TCM_FIRST + 62;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
// wParam the index, lParam RECT* in client coordinates; FALSE without an item.
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
// The selected index, or -1.
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
// wParam the index; the previous selection, or -1 (and no change) for an
// index without an item.
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
// lParam TCHITTESTINFO* (the point in client coordinates); the tab's index
// or -1.
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
// lParam MAKELPARAM(width, height); the previous size as MAKELRESULT.
constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
// The tooltip window set by TCM_SETTOOLTIPS (wParam the window), or null.
constexpr UINT TCM_GETTOOLTIPS = TCM_FIRST + 45;
constexpr UINT TCM_SETTOOLTIPS = TCM_FIRST + 46;

constexpr UINT TCN_FIRST = 0u - 550u;
constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;
constexpr UINT TCN_FOCUSCHANGE = TCN_FIRST - 4;

// TCITEMW.mask
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCIF_STATE = 0x0010;

// Item state bits; the others are the program's.
constexpr DWORD TCIS_BUTTONPRESSED = 0x0001;
constexpr DWORD TCIS_HIGHLIGHTED = 0x0002;

// TCHITTESTINFO.flags
constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

// dwState and dwStateMask count with TCIF_STATE; pszText and cchTextMax
// (the buffer's size in units, the terminator included) with TCIF_TEXT.
// iImage is kept and handed back; the control draws no images.
struct TCITEMW {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
using LPTCITEMW = TCITEMW*;
using TC_ITEMW = TCITEMW;

struct TCHITTESTINFO {
  POINT pt;
  UINT flags;  // out: TCHT_ONITEMLABEL on a tab, TCHT_NOWHERE elsewhere
};
using LPTCHITTESTINFO = TCHITTESTINFO*;
using TC_HITTESTINFO = TCHITTESTINFO;
