#pragma once
// The common controls: their registration (which the layer's controls do
// not need: the call only checks its record), the tooltip control, the tab
// control (win/tab_control.h), the list view with its header
// (win/list_view.h, win/header_control.h) and image lists
// (win/image_lists.h).
#include <cstddef>

#include "win/messages.h"
#include "win/notifications.h"
#include "win/image_lists.h"
#include "win/list_view.h"
#include "win/tab_control.h"
#include "win/types.h"

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x01;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x02;
constexpr DWORD ICC_BAR_CLASSES = 0x04;
constexpr DWORD ICC_TAB_CLASSES = 0x08;
constexpr DWORD ICC_UPDOWN_CLASS = 0x10;
constexpr DWORD ICC_PROGRESS_CLASS = 0x20;
constexpr DWORD ICC_HOTKEY_CLASS = 0x40;
constexpr DWORD ICC_ANIMATE_CLASS = 0x80;
constexpr DWORD ICC_WIN95_CLASSES = 0xFF;

// TRUE for a record of the right size (8 bytes); FALSE for null or another size.
WINAPI_EXPORT BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);

// ---------------------------------------------------------------------------
// The tooltip control, class "tooltips_class32", registered by the layer.
//
// A tooltip window is a top-level pop-up that shows one line of text (or
// several, with TTM_SETMAXTIPWIDTH) near the pointer. It never takes the
// focus or activation, has no taskbar entry, and the pointer passes through
// it to the windows below. It knows tools: a rectangle of a window's client
// area (hwnd, uId, rect) or, with TTF_IDISHWND, a whole window (uId is that
// window). Mouse messages reach it relayed by the program (TTM_RELAYEVENT
// with the MSG) or, for tools added with TTF_SUBCLASS, straight from the
// tool's window, whose procedure it wraps. When the pointer rests on a tool
// for the initial delay, the tip appears below the pointer with the tool's
// text; it goes away on a press (and stays away until the pointer leaves
// that tool), when the pointer leaves the tool, after the automatic-pop
// delay, on TTM_POP and on TTM_ACTIVATE(FALSE). A tool whose text is
// LPSTR_TEXTCALLBACKW asks the tool's window with WM_NOTIFY TTN_GETDISPINFOW
// each time it shows. The tool's window also hears TTN_SHOW (answer TRUE when
// it placed the tip itself) and TTN_POP. A tool without text shows nothing.
// Tips are shown whether or not the program is active (as with
// TTS_ALWAYSTIP). Colours: the desktop's information colours
// (COLOR_INFOBK, COLOR_INFOTEXT); font: WM_SETFONT, else DEFAULT_GUI_FONT.
#define TOOLTIPS_CLASSW (u"tooltips_class32")

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRANSPARENT = 0x0100;
constexpr UINT TTF_DI_SETITEM = 0x8000;

// lpszText: ask the tool's window each time (TTN_GETDISPINFOW).
#define LPSTR_TEXTCALLBACKW (reinterpret_cast<LPWSTR>(static_cast<LONG_PTR>(-1)))

struct TOOLINFOW {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;  // with lpszText MAKEINTRESOURCEW(id): the module of string id
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
using TTTOOLINFOW = TOOLINFOW;
using LPTOOLINFOW = TOOLINFOW*;
// The sizes of the record's earlier versions, which cbSize may give.
constexpr UINT TTTOOLINFOW_V1_SIZE = offsetof(TOOLINFOW, lParam);
constexpr UINT TTTOOLINFOW_V2_SIZE = offsetof(TOOLINFOW, lpReserved);
constexpr UINT TTTOOLINFOW_V3_SIZE = sizeof(TOOLINFOW);

// TTM_SETDELAYTIME's wParam. The defaults follow the double-click time:
// initial 500 ms, automatic pop ten times that, reshow a fifth.
constexpr WPARAM TTDT_AUTOMATIC = 0;  // sets all three from one value
constexpr WPARAM TTDT_RESHOW = 1;     // from one tool to the next while a tip shows
constexpr WPARAM TTDT_AUTOPOP = 2;    // how long a tip stays
constexpr WPARAM TTDT_INITIAL = 3;    // how long the pointer rests before a tip shows

// wParam TRUE or FALSE.
constexpr UINT TTM_ACTIVATE = WM_USER + 1;
// wParam TTDT_*, lParam the time in ms in the low word (-1: the default).
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
// lParam MSG*: a mouse message of a tool's window.
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
// lParam the width in pixels past which text wraps (-1: never); returns the
// previous one.
constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
constexpr UINT TTM_POP = WM_USER + 28;
// lParam TOOLINFOW*. ADDTOOL returns TRUE, or FALSE for a bad record.
constexpr UINT TTM_ADDTOOLW = WM_USER + 50;
constexpr UINT TTM_DELTOOLW = WM_USER + 51;
constexpr UINT TTM_NEWTOOLRECTW = WM_USER + 52;
// Fills the record of the tool named by hwnd and uId (lpszText: a buffer of
// 80 units, or null); TRUE when there is such a tool.
constexpr UINT TTM_GETTOOLINFOW = WM_USER + 53;
// wParam the size of lParam's lpszText buffer in units (0: 80).
constexpr UINT TTM_GETTEXTW = WM_USER + 56;
constexpr UINT TTM_UPDATETIPTEXTW = WM_USER + 57;

constexpr UINT TTN_FIRST = 0u - 520u;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;
constexpr UINT TTN_POP = TTN_FIRST - 2;
constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;
constexpr UINT TTN_NEEDTEXTW = TTN_GETDISPINFOW;

// TTN_GETDISPINFOW's record: the answer is lpszText (pointing at szText, at
// a text of the answerer's, or MAKEINTRESOURCEW(id) of string id in hinst);
// with TTF_DI_SETITEM in uFlags the tool keeps the text and asks no more.
struct NMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
using LPNMTTDISPINFOW = NMTTDISPINFOW*;
