#pragma once
// The header control, class "SysHeader32", registered by the layer: one row
// of items side by side from x 0, each as wide as its width, over the
// control's full height. A list view in report mode makes one as its child
// (win/list_view.h).
//
// HDM_LAYOUT (lParam HDLAYOUT*) is how its owner places it: the default
// answer takes the rectangle prc, sets pwpos to the rectangle's left, top
// and width at the control's own height (its font's height and a margin),
// and moves prc's top below it. It is a message, so a procedure that
// subclasses the control may change the answer.
//
// A press within 4 pixels of an item's right edge (its divider) starts a
// drag of that item's width: the parent hears HDN_BEGINTRACKW (answer TRUE
// to refuse), then at every move of the pointer HDN_TRACKW and, as the
// width follows the pointer, HDN_ITEMCHANGINGW and HDN_ITEMCHANGEDW; the
// release (or a lost capture) ends it with HDN_ENDTRACKW. The records are
// NMHEADERW with pitem giving the width (HDI_WIDTH). Widths never go below
// 0. The pointer over a divider shows the sizing cursor.
//
// The control paints a plain face with each item's text (WM_PAINT); a
// program that draws its header itself subclasses it.
#include "win/geometry.h"
#include "win/messages.h"
#include "win/notifications.h"
#include "win/types.h"
#include "win/window_state.h"

#define WC_HEADERW (u"SysHeader32")

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr DWORD HDS_FULLDRAG = 0x0080;

struct HDITEMW {
  UINT mask;
  int cxy;
  LPWSTR pszText;
  HBITMAP hbm;
  int cchTextMax;
  int fmt;
  LPARAM lParam;
  int iImage;
  int iOrder;
  UINT type;
  void* pvFilter;
  UINT state;
};
using LPHDITEMW = HDITEMW*;

// HDITEMW.mask
constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_HEIGHT = HDI_WIDTH;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;

// HDITEMW.fmt
constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_STRING = 0x4000;

struct HDLAYOUT {
  RECT* prc;
  WINDOWPOS* pwpos;
};
using LPHDLAYOUT = HDLAYOUT*;

struct HDHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
};
using LPHDHITTESTINFO = HDHITTESTINFO*;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ABOVE = 0x0100;
constexpr UINT HHT_BELOW = 0x0200;
constexpr UINT HHT_TORIGHT = 0x0400;
constexpr UINT HHT_TOLEFT = 0x0800;

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
// wParam the index; FALSE for an index without an item.
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
// lParam HDLAYOUT*; TRUE.
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
// lParam HDHITTESTINFO* (the point in client coordinates); the item or -1.
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
// wParam the index, lParam RECT*; FALSE for an index without an item.
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
// wParam the index (past the end: appended), lParam HDITEMW*; the new
// item's index, or -1.
constexpr UINT HDM_INSERTITEMW = HDM_FIRST + 10;
// wParam the index, lParam HDITEMW*; FALSE for an index without an item.
constexpr UINT HDM_GETITEMW = HDM_FIRST + 11;
constexpr UINT HDM_SETITEMW = HDM_FIRST + 12;

constexpr UINT HDN_FIRST = 0u - 300u;
constexpr UINT HDN_ITEMCHANGINGA = HDN_FIRST - 0;
constexpr UINT HDN_ITEMCHANGEDA = HDN_FIRST - 1;
constexpr UINT HDN_BEGINTRACKA = HDN_FIRST - 6;
constexpr UINT HDN_ENDTRACKA = HDN_FIRST - 7;
constexpr UINT HDN_TRACKA = HDN_FIRST - 8;
constexpr UINT HDN_ITEMCHANGINGW = HDN_FIRST - 20;
constexpr UINT HDN_ITEMCHANGEDW = HDN_FIRST - 21;
constexpr UINT HDN_BEGINTRACKW = HDN_FIRST - 26;
constexpr UINT HDN_ENDTRACKW = HDN_FIRST - 27;
constexpr UINT HDN_TRACKW = HDN_FIRST - 28;

struct NMHEADERW {
  NMHDR hdr;
  int iItem;
  int iButton;  // 0: the left button
  HDITEMW* pitem;
};
using LPNMHEADERW = NMHEADERW*;
