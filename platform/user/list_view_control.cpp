// The list view's window procedure: the LVM_* messages, its header and
// scroll bar, the mouse and the wheel.
#include <algorithm>

#include "control_state.h"
#include "control_classes.h"
#include "list_view_state.h"
#include "win/header_control.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/scroll_bars.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

constexpr LRESULT kDialogCodes = 0x0001 | 0x0080;  // DLGC_WANTARROWS | DLGC_WANTCHARS

void Changed(HWND hwnd) {
  LayOutListView(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

HDITEMW WidthRecord(int width) {
  HDITEMW record{};
  record.mask = HDI_WIDTH;
  record.cxy = width;
  return record;
}

int InsertColumn(HWND hwnd, ListViewState& s, int index, const LVCOLUMNW* column) {
  if (!column || index < 0) return -1;
  HDITEMW record{};
  record.mask = HDI_FORMAT;
  record.fmt = HDF_STRING | ((column->mask & LVCF_FMT) ? (column->fmt & HDF_JUSTIFYMASK) : HDF_LEFT);
  if (column->mask & LVCF_WIDTH) {
    record.mask |= HDI_WIDTH;
    record.cxy = column->cx;
  }
  if (column->mask & LVCF_TEXT) {
    record.mask |= HDI_TEXT;
    record.pszText = column->pszText;
  }
  const int at = s.items.InsertColumn(index);
  SendMessageW(s.header, HDM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&record));
  Changed(hwnd);
  return at;
}

void Press(HWND hwnd, LPARAM point) {
  SetFocus(hwnd);
  ListViewState* s = ListViewStateOf(hwnd);
  if (!s) return;
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const int row = HitTest(hwnd, *s, &hit);
  if (row < 0) return;
  s->items.SetState(-1, LVIS_SELECTED | LVIS_FOCUSED, 0);
  s->items.SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  InvalidateRect(hwnd, nullptr, TRUE);
}

// Header notifications: a width changed lays the rows out again; the
// parent hears them all.
LRESULT FromHeader(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code == HDN_ITEMCHANGEDW || header->code == HDN_ENDTRACKW) InvalidateRect(hwnd, nullptr, TRUE);
  HWND parent = GetParent(hwnd);
  return parent ? SendMessageW(parent, WM_NOTIFY, wParam, lParam) : 0;
}

LRESULT Control(HWND hwnd, ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  auto* item = reinterpret_cast<LVITEMW*>(lParam);
  auto* rect = reinterpret_cast<RECT*>(lParam);
  switch (message) {
    case LVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(index == LVSIL_SMALL ? s.smallImages : index == LVSIL_NORMAL ? s.normalImages
                                                                                                    : nullptr);
    case LVM_SETIMAGELIST: {
      HIMAGELIST* slot = index == LVSIL_SMALL ? &s.smallImages : index == LVSIL_NORMAL ? &s.normalImages : nullptr;
      if (!slot) return 0;
      HIMAGELIST previous = *slot;
      *slot = reinterpret_cast<HIMAGELIST>(lParam);
      Changed(hwnd);
      return reinterpret_cast<LRESULT>(previous);
    }
    case LVM_GETITEMCOUNT:
      return s.items.Count();
    case LVM_INSERTITEMW: {
      const int at = item ? s.items.Insert(*item) : -1;
      if (at >= 0) Changed(hwnd);
      return at;
    }
    case LVM_SETITEMW:
      if (!item || !s.items.Set(*item)) return FALSE;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case LVM_GETITEMW:
      return item && s.items.Get(*item);
    case LVM_SETITEMTEXTW:
      if (!item || !s.items.SetText(index, item->iSubItem, item->pszText)) return FALSE;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case LVM_GETITEMTEXTW:
      return item ? s.items.CopyText(index, item->iSubItem, item->pszText, item->cchTextMax) : 0;
    case LVM_DELETEITEM:
      if (!s.items.Delete(index)) return FALSE;
      Changed(hwnd);
      return TRUE;
    case LVM_DELETEALLITEMS:
      s.items.Clear();
      s.top = 0;
      Changed(hwnd);
      return TRUE;
    case LVM_GETITEMRECT:
      if (!rect || !s.items.Has(index)) return FALSE;
      if (rect->left == LVIR_LABEL || rect->left == LVIR_ICON) return SubItemRect(s, index, 0, rect->left, rect);
      *rect = RowBounds(s, index);
      return TRUE;
    case LVM_GETSUBITEMRECT:
      return rect && SubItemRect(s, index, rect->top, rect->left, rect);
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
      return HitTest(hwnd, s, reinterpret_cast<LVHITTESTINFO*>(lParam));
    case LVM_SCROLL: {
      const int pixels = static_cast<int>(lParam);
      int rows = pixels / s.rowHeight;
      if (rows == 0 && pixels != 0) rows = pixels > 0 ? 1 : -1;
      ScrollListViewTo(hwnd, s.top + rows);
      return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
      return index >= 0 && index < s.items.ColumnCount() ? ColumnWidth(s, index) : 0;
    case LVM_SETCOLUMNWIDTH: {
      if (index < 0 || index >= s.items.ColumnCount() || lParam < 0) return FALSE;
      HDITEMW record = WidthRecord(static_cast<int>(lParam));
      SendMessageW(s.header, HDM_SETITEMW, wParam, reinterpret_cast<LPARAM>(&record));
      Changed(hwnd);
      return TRUE;
    }
    case LVM_GETHEADER:
      return reinterpret_cast<LRESULT>(s.header);
    case LVM_GETTOPINDEX:
      return s.top;
    case LVM_GETCOUNTPERPAGE:
      return RowsPerPage(hwnd, s);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD previous = s.exStyle;
      const DWORD mask = wParam ? static_cast<DWORD>(wParam) : ~DWORD{0};
      s.exStyle = (s.exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
      if (s.exStyle != previous) InvalidateRect(hwnd, nullptr, TRUE);
      return previous;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return s.exStyle;
    case LVM_INSERTCOLUMNW:
      return InsertColumn(hwnd, s, index, reinterpret_cast<const LVCOLUMNW*>(lParam));
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK ListViewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The header and the scroll bar stay out of the control's own drawing
  // (a program's background fill among it).
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
  ListViewState* s = ControlStateFor<ListViewState>(hwnd, message);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message >= LVM_FIRST && message < LVM_FIRST + 0x100) return Control(hwnd, *s, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      s->header = CreateWindowExW(0, WC_HEADERW, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG,
                                  0, 0, 0, 0, hwnd, nullptr, nullptr, nullptr);
      if (!s->header) return -1;
      LayOutListView(hwnd);
      return 0;
    case WM_SIZE:
      LayOutListView(hwnd);
      return 0;
    case WM_PAINT:
      PaintListView(hwnd);
      return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      SendMessageW(s->header, WM_SETFONT, wParam, lParam);
      LayOutListView(hwnd);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (!header || header->hwndFrom != s->header) return 0;
      return FromHeader(hwnd, wParam, lParam);
    }
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == s->scrollBar)
        HandleListViewScroll(hwnd, LOWORD(wParam), static_cast<int>(HIWORD(wParam)));
      return 0;
    case WM_MOUSEWHEEL:
      HandleListViewWheel(hwnd, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(hwnd, lParam);
      return 0;
    case WM_GETDLGCODE:
      return kDialogCodes;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quorla
