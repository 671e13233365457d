#pragma once
// The list view control, class "SysListView32", registered by the layer,
// in its report mode (LVS_REPORT): a header control (win/header_control.h)
// along the top, placed by HDM_LAYOUT sent to it whenever the list lays
// itself out (made, resized, a column inserted, an image list or font set),
// and rows of items below it, one per item, each cut into the columns the
// header's items give, left to right.
//
// Rows. Every row is as high as the font's line with a small margin, or as
// the small image list's images (LVSIL_SMALL) when they are higher. Row i
// lies at y = header height + (i − top index) × row height. An item has a
// text per column (its sub-items), an lParam and the LVIS_* state bits;
// inserting at an index moves the items from there down one.
//
// Rectangles (LVM_GETSUBITEMRECT, LVM_GETITEMRECT) span the column's left to
// right edge and the row's height; for sub-item 0 with LVIR_BOUNDS, as on
// the original platform, the rectangle is the whole row's. Hit tests
// (LVM_HITTEST, LVM_SUBITEMHITTEST) answer the item and column under a
// client point, LVHT_ONITEM on a row within the columns' width, else
// LVHT_NOWHERE (LVHT_ABOVE over the header, LVHT_BELOW past the last row)
// with item -1.
//
// Scrolling. When the rows do not fit below the header, a vertical scroll
// bar (win/scroll_bars.h) stands at the right edge and the rows and the
// header leave its width free. Its arrows, track and thumb, the wheel (three
// rows a notch) and LVM_SCROLL move the top index, which stays between 0
// and count − rows that fit.
//
// Drawing. With LVS_OWNERDRAWFIXED the parent draws each row: for every row
// that a repaint reaches, one WM_DRAWITEM (ODT_LISTVIEW, the control's
// identifier, itemID the row, itemAction ODA_DRAWENTIRE, ODS_SELECTED and
// ODS_FOCUS from the item's state, the paint DC, rcItem the row's bounds,
// itemData the item's lParam). Otherwise the control draws each cell's text.
// The control clips its children (header, scroll bar) out of its own
// drawing, so that a program's background never covers them.
//
// A left press gives the control the focus. The header's notifications
// (HDN_*) go on to the control's parent unchanged; a column whose width the
// header changed is laid out again at once.
#include "win/geometry.h"
#include "win/header_control.h"
#include "win/image_lists.h"
#include "win/messages.h"
#include "win/notifications.h"
#include "win/types.h"

#define WC_LISTVIEWW (u"SysListView32")

constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_ALIGNTOP = 0x0000;
constexpr DWORD LVS_ALIGNLEFT = 0x0800;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;

constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;

struct LVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
  int iGroupId;
  UINT cColumns;
  UINT* puColumns;
  int* piColFmt;
  int iGroup;
};
using LPLVITEMW = LVITEMW*;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;

struct LVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
  int cxMin;
  int cxDefault;
  int cxIdeal;
};
using LPLVCOLUMNW = LVCOLUMNW*;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;

constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;

// LVM_GETITEMRECT's and LVM_GETSUBITEMRECT's code.
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

struct LVHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
  int iSubItem;
  int iGroup;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;

constexpr UINT LVM_FIRST = 0x1000;
// wParam LVSIL_*, lParam the list; the previous list of that kind.
constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
// wParam the index; FALSE for an index without an item.
constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
// wParam the index, lParam RECT* whose left is the LVIR_* code; FALSE for
// an index without an item.
constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
// lParam LVHITTESTINFO*; the item or -1.
constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
// lParam the pixels to scroll down (negative: up), in whole rows.
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
// wParam the column; 0 for a column that does not exist.
constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
// wParam the column, lParam the width; FALSE for a column that does not exist.
constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
// The header control's window.
constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
// The rows that fit wholly below the header.
constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
// wParam the mask, lParam the bits; the previous extended style.
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
// wParam the item, lParam RECT* whose top is the column and left the
// LVIR_* code; FALSE for an item or column that does not exist.
constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
// lParam LVHITTESTINFO*; the item or -1, with iSubItem the column.
constexpr UINT LVM_SUBITEMHITTEST = LVM_FIRST + 57;
// lParam LVITEMW*: iItem and iSubItem name the item; FALSE when it does
// not exist.
constexpr UINT LVM_GETITEMW = LVM_FIRST + 75;
constexpr UINT LVM_SETITEMW = LVM_FIRST + 76;
// lParam LVITEMW* (iItem past the end: appended; iSubItem 0); the new
// item's index, or -1.
constexpr UINT LVM_INSERTITEMW = LVM_FIRST + 77;
// wParam the column (past the end: appended), lParam LVCOLUMNW*; the new
// column's index, or -1.
constexpr UINT LVM_INSERTCOLUMNW = LVM_FIRST + 97;
// wParam the item, lParam LVITEMW* (iSubItem, pszText, cchTextMax); the
// text's length.
constexpr UINT LVM_GETITEMTEXTW = LVM_FIRST + 115;
// wParam the item, lParam LVITEMW* (iSubItem, pszText); FALSE when the item
// does not exist.
constexpr UINT LVM_SETITEMTEXTW = LVM_FIRST + 116;
