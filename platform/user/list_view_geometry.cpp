// The list view's rows and cells in client coordinates, and what lies under
// a point.
#include <algorithm>

#include "control_state.h"
#include "list_view_state.h"
#include "win/dc.h"
#include "win/fonts.h"
#include "win/header_control.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {

ListViewState* ListViewStateOf(HWND hwnd) { return ControlStateOf<ListViewState>(hwnd); }

int RowHeightOf(const ListViewState& s) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, s.font ? static_cast<HGDIOBJ>(s.font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  int height = static_cast<int>(metrics.tmHeight) + 4;
  int cx = 0, cy = 0;
  if (s.smallImages && ImageList_GetIconSize(s.smallImages, &cx, &cy)) height = std::max(height, cy);
  return std::max(1, height);
}

int ColumnLeft(const ListViewState& s, int column) {
  RECT item{};
  return SendMessageW(s.header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))
             ? item.left
             : 0;
}

int ColumnWidth(const ListViewState& s, int column) {
  RECT item{};
  return SendMessageW(s.header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))
             ? item.right - item.left
             : 0;
}

int ColumnsWidth(const ListViewState& s) {
  const int last = s.items.ColumnCount() - 1;
  return last < 0 ? 0 : ColumnLeft(s, last) + ColumnWidth(s, last);
}

int RowsPerPage(HWND hwnd, const ListViewState& s) {
  RECT client;
  GetClientRect(hwnd, &client);
  return std::max(0, static_cast<int>(client.bottom) - s.rowsTop) / s.rowHeight;
}

RECT RowBounds(const ListViewState& s, int row) {
  const int top = s.rowsTop + (row - s.top) * s.rowHeight;
  return RECT{0, top, ColumnsWidth(s), top + s.rowHeight};
}

bool SubItemRect(const ListViewState& s, int row, int column, int code, RECT* rect) {
  if (!rect || !s.items.Has(row) || column < 0 || column >= s.items.ColumnCount()) return false;
  RECT bounds = RowBounds(s, row);
  // As on the original platform, the first column's bounds are the row's.
  if (column == 0 && (code == LVIR_BOUNDS || code == LVIR_SELECTBOUNDS)) {
    *rect = bounds;
    return true;
  }
  bounds.left = ColumnLeft(s, column);
  bounds.right = bounds.left + ColumnWidth(s, column);
  if (code == LVIR_ICON) bounds.right = bounds.left;  // no images are drawn
  *rect = bounds;
  return true;
}

int HitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO* info) {
  if (!info) return -1;
  const POINT p = info->pt;
  info->iItem = -1;
  info->iSubItem = -1;
  RECT client;
  GetClientRect(hwnd, &client);
  if (p.y < s.rowsTop) {
    info->flags = LVHT_ABOVE;
    return -1;
  }
  const int row = s.top + (p.y - s.rowsTop) / s.rowHeight;
  if (!s.items.Has(row) || p.y >= client.bottom) {
    info->flags = row >= s.items.Count() ? LVHT_BELOW : LVHT_NOWHERE;
    return -1;
  }
  if (p.x < 0) {
    info->flags = LVHT_TOLEFT;
    return -1;
  }
  for (int column = 0; column < s.items.ColumnCount(); ++column) {
    const int left = ColumnLeft(s, column);
    if (p.x >= left && p.x < left + ColumnWidth(s, column)) {
      info->iItem = row;
      info->iSubItem = column;
      info->flags = LVHT_ONITEMLABEL;
      return row;
    }
  }
  info->flags = LVHT_NOWHERE;  // right of the last column
  return -1;
}

}  // namespace quorla
