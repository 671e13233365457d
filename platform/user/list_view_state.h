#pragma once
// What a list view keeps beside its window record, and the parts of its
// procedure that live in files of their own: geometry (rows, cells, hit
// tests), scrolling and drawing.
#include "list_view_items.h"
#include "win/list_view.h"

namespace quorla {

// Kept in the window's extra bytes; made at WM_NCCREATE, freed at
// WM_NCDESTROY. The control's thread only.
struct ListViewState {
  ListViewItems items;
  HWND header = nullptr;
  HWND scrollBar = nullptr;  // null while every row fits
  HIMAGELIST smallImages = nullptr;
  HIMAGELIST normalImages = nullptr;
  HFONT font = nullptr;
  DWORD exStyle = 0;
  int top = 0;          // the first row shown
  int rowsTop = 0;      // where rows start: below the header
  int rowHeight = 16;
  int wheelRest = 0;    // wheel travel short of a notch
};

ListViewState* ListViewStateOf(HWND hwnd);

// Geometry (list_view_geometry.cpp), in client coordinates.
int RowHeightOf(const ListViewState& s);
int ColumnLeft(const ListViewState& s, int column);
int ColumnWidth(const ListViewState& s, int column);
int ColumnsWidth(const ListViewState& s);
// The rows that fit wholly below the header.
int RowsPerPage(HWND hwnd, const ListViewState& s);
RECT RowBounds(const ListViewState& s, int row);
// LVM_GETSUBITEMRECT's answer; false for an item or column that does not
// exist.
bool SubItemRect(const ListViewState& s, int row, int column, int code, RECT* rect);
// LVM_SUBITEMHITTEST's answer (iItem, iSubItem, flags); the item or -1.
int HitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO* info);

// Scrolling and layout (list_view_scrolling.cpp).
// Places the header (HDM_LAYOUT through whatever procedure it has) and the
// scroll bar, shown while rows do not fit, and keeps the top row in range.
void LayOutListView(HWND hwnd);
// Makes row the top one, within range; the rows move at once.
void ScrollListViewTo(HWND hwnd, int row);
void HandleListViewScroll(HWND hwnd, int code, int pos);
void HandleListViewWheel(HWND hwnd, int delta);

// Drawing (list_view_painting.cpp).
void PaintListView(HWND hwnd);

}  // namespace quorla
