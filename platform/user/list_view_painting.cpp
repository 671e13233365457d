// The list view's rows on screen: the parent draws each row of an
// owner-drawn list (WM_DRAWITEM), the control draws the texts of the others.
#include <algorithm>

#include "list_view_state.h"
#include "win/dc.h"
#include "win/painting.h"
#include "win/text_draw.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

UINT ItemStateOf(HWND hwnd, const ListViewState& s, int row) {
  const UINT state = s.items.State(row);
  UINT drawn = 0;
  if (state & LVIS_SELECTED) drawn |= ODS_SELECTED;
  if ((state & LVIS_FOCUSED) && GetFocus() == hwnd) drawn |= ODS_FOCUS;
  return drawn;
}

void AskParentToDraw(HWND hwnd, const ListViewState& s, HDC dc, int row) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_LISTVIEW;
  item.CtlID = static_cast<UINT>(GetWindowLongPtrW(hwnd, GWLP_ID));
  item.itemID = static_cast<UINT>(row);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = ItemStateOf(hwnd, s, row);
  item.hwndItem = hwnd;
  item.hDC = dc;
  item.rcItem = RowBounds(s, row);
  item.itemData = static_cast<ULONG_PTR>(s.items.Param(row));
  SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void DrawTexts(const ListViewState& s, HDC dc, int row) {
  const bool selected = s.items.State(row) & LVIS_SELECTED;
  if (selected) {
    RECT bounds = RowBounds(s, row);
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
    FillRect(dc, &bounds, brush);
    DeleteObject(brush);
  }
  const int saved = SaveDC(dc);
  SelectObject(dc, s.font ? static_cast<HGDIOBJ>(s.font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  for (int column = 0; column < s.items.ColumnCount(); ++column) {
    RECT cell{};
    SubItemRect(s, row, column, LVIR_LABEL, &cell);
    cell.left += 6;
    cell.right -= 6;
    const std::u16string& text = s.items.Text(row, column);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  RestoreDC(dc, saved);
}

}  // namespace

void PaintListView(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  ListViewState* s = ListViewStateOf(hwnd);
  if (!dc || !s) {
    EndPaint(hwnd, &paint);
    return;
  }
  const bool ownerDrawn = (GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED) != 0;
  // Rows the repaint reaches, the last one shown in part included.
  const int from = s->top + std::max(0, static_cast<int>(paint.rcPaint.top) - s->rowsTop) / s->rowHeight;
  const int to = s->top + std::max(0, static_cast<int>(paint.rcPaint.bottom) - s->rowsTop - 1) / s->rowHeight;
  for (int row = from; row <= to && paint.rcPaint.bottom > s->rowsTop; ++row) {
    if (!(s = ListViewStateOf(hwnd)) || !s->items.Has(row)) break;  // the parent may change the list meanwhile
    if (ownerDrawn) AskParentToDraw(hwnd, *s, dc, row);
    else DrawTexts(*s, dc, row);
  }
  EndPaint(hwnd, &paint);
}

}  // namespace quorla
