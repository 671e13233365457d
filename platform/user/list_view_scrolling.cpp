// The list view's layout (its header and scroll bar) and its vertical
// scrolling by whole rows.
#include <algorithm>

#include "list_view_state.h"
#include "win/header_control.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/scroll_bars.h"
#include "win/system_metrics.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// Three rows a notch, as the desktop's wheel setting says by default.
constexpr int kRowsPerNotch = 3;

int MaxTop(HWND hwnd, const ListViewState& s) { return std::max(0, s.items.Count() - RowsPerPage(hwnd, s)); }

// Places the header over the given width; where rows start comes back in s.
void PlaceHeader(HWND hwnd, ListViewState& s, int width, int height) {
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_NOCOLUMNHEADER) {
    ShowWindow(s.header, SW_HIDE);
    s.rowsTop = 0;
    return;
  }
  RECT area{0, 0, width, height};
  WINDOWPOS place{};
  HDLAYOUT layout{&area, &place};
  SendMessageW(s.header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  if (!IsWindow(hwnd) || !ListViewStateOf(hwnd)) return;
  SetWindowPos(s.header, nullptr, place.x, place.y, place.cx, place.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  s.rowsTop = std::max<int>(0, area.top);
}

void ShowScrollBar(HWND hwnd, ListViewState& s, bool shown) {
  if (shown && !s.scrollBar) {
    s.scrollBar = CreateWindowExW(0, WC_SCROLLBARW, nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0, hwnd,
                                  nullptr, nullptr, nullptr);
  } else if (!shown && s.scrollBar) {
    HWND gone = s.scrollBar;
    s.scrollBar = nullptr;
    DestroyWindow(gone);
  }
}

void UpdateScrollBar(HWND hwnd, const ListViewState& s) {
  if (!s.scrollBar) return;
  RECT client;
  GetClientRect(hwnd, &client);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  SetWindowPos(s.scrollBar, nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, s.items.Count() - 1);
  info.nPage = static_cast<UINT>(RowsPerPage(hwnd, s));
  info.nPos = s.top;
  SendMessageW(s.scrollBar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

void LayOutListView(HWND hwnd) {
  ListViewState* s = ListViewStateOf(hwnd);
  if (!s || !s->header) return;
  s->rowHeight = RowHeightOf(*s);
  RECT client;
  GetClientRect(hwnd, &client);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  // Whether rows fit does not depend on the width, only where the header
  // ends does.
  PlaceHeader(hwnd, *s, client.right - (s->scrollBar ? barWidth : 0), client.bottom);
  if (!(s = ListViewStateOf(hwnd))) return;
  const bool overflow = s->items.Count() > RowsPerPage(hwnd, *s);
  if (overflow != (s->scrollBar != nullptr)) {
    ShowScrollBar(hwnd, *s, overflow);
    PlaceHeader(hwnd, *s, client.right - (overflow ? barWidth : 0), client.bottom);
    if (!(s = ListViewStateOf(hwnd))) return;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  s->top = std::clamp(s->top, 0, MaxTop(hwnd, *s));
  UpdateScrollBar(hwnd, *s);
}

void ScrollListViewTo(HWND hwnd, int row) {
  ListViewState* s = ListViewStateOf(hwnd);
  if (!s) return;
  row = std::clamp(row, 0, MaxTop(hwnd, *s));
  if (row == s->top) return;
  s->top = row;
  UpdateScrollBar(hwnd, *s);
  RECT client;
  GetClientRect(hwnd, &client);
  RECT rows{0, s->rowsTop, client.right, client.bottom};
  InvalidateRect(hwnd, &rows, TRUE);
}

void HandleListViewScroll(HWND hwnd, int code, int pos) {
  ListViewState* s = ListViewStateOf(hwnd);
  if (!s) return;
  const int page = std::max(1, RowsPerPage(hwnd, *s));
  switch (code) {
    case SB_LINEUP:
      ScrollListViewTo(hwnd, s->top - 1);
      return;
    case SB_LINEDOWN:
      ScrollListViewTo(hwnd, s->top + 1);
      return;
    case SB_PAGEUP:
      ScrollListViewTo(hwnd, s->top - page);
      return;
    case SB_PAGEDOWN:
      ScrollListViewTo(hwnd, s->top + page);
      return;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      ScrollListViewTo(hwnd, pos);
      return;
    case SB_TOP:
      ScrollListViewTo(hwnd, 0);
      return;
    case SB_BOTTOM:
      ScrollListViewTo(hwnd, s->items.Count());
      return;
    default:
      return;
  }
}

void HandleListViewWheel(HWND hwnd, int delta) {
  ListViewState* s = ListViewStateOf(hwnd);
  if (!s) return;
  // Fine wheels send parts of a notch: they add up.
  s->wheelRest += delta;
  const int notches = s->wheelRest / WHEEL_DELTA;
  s->wheelRest -= notches * WHEEL_DELTA;
  if (notches) ScrollListViewTo(hwnd, s->top - notches * kRowsPerNotch);
}

}  // namespace quorla
