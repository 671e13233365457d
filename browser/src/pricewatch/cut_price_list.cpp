#include "cut_price_list.h"

#include "afx/brush.h"
#include "afx/dc.h"
#include "browser_ids.h"
#include "ui_fonts.h"
#include "win/input.h"
#include "win/header_control.h"
#include "win/list_view.h"
#include "win/text_draw.h"

BEGIN_MESSAGE_MAP(CCutPriceList, CListCtrl)
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kRowBackground = RGB(244, 246, 251);
constexpr COLORREF kLinkText = RGB(28, 25, 97);

}  // namespace

void CCutPriceList::Fill(const std::vector<ReducePriceItem>& items) {
  DeleteAllItems();
  rows_.clear();
  for (const ReducePriceItem& item : items) {
    const auto texts = CutPriceCellTexts(item);
    const int row = InsertItem(0, texts[kTitleColumn]);
    if (row < 0) continue;
    for (int column = 1; column < kColumnCount; ++column) SetItemText(row, column, texts[column]);
    SetItemData(row, item.Id);
    rows_[item.Id] = item;
  }
}

const ReducePriceItem* CCutPriceList::RowItem(int row) const {
  if (row < 0) return nullptr;
  const auto found = rows_.find(static_cast<DWORD>(GetItemData(row)));
  return found == rows_.end() ? nullptr : &found->second;
}

void CCutPriceList::DrawItem(LPDRAWITEMSTRUCT draw) {
  CDC* dc = CDC::FromHandle(draw->hDC);
  const int row = static_cast<int>(draw->itemID);
  CRect bounds(draw->rcItem);
  CBrush background(kRowBackground);
  dc->FillRect(&bounds, &background);
  const int previousMode = dc->SetBkMode(TRANSPARENT);
  CFont* previousFont = dc->SelectObject(GetUiFont(kUiFontRegular12));
  const COLORREF previousColour = dc->GetTextColor();

  CRect cells[kColumnCount];
  for (int column = 0; column < kColumnCount; ++column) GetSubItemRect(row, column, LVIR_BOUNDS, cells[column]);
  // The first column's bounds are the whole row's: the title ends a pixel
  // short of the site's column.
  cells[kTitleColumn].right = cells[kSiteColumn].left - 1;
  cells[kTitleColumn].DeflateRect(4, 4, 0, 4);
  for (int column = kCurrentPriceColumn; column < kColumnCount; ++column) cells[column].left += 4;

  constexpr UINT kOneLine = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;
  dc->SetTextColor(kLinkText);
  dc->DrawText(GetItemText(row, kTitleColumn), &cells[kTitleColumn], DT_WORDBREAK | DT_WORD_ELLIPSIS);
  dc->DrawText(GetItemText(row, kSiteColumn), &cells[kSiteColumn], kOneLine | DT_CENTER);
  dc->DrawText(GetItemText(row, kActionsColumn), &cells[kActionsColumn], kOneLine);
  dc->SetTextColor(RGB(0, 0, 0));
  for (int column : {kAddedColumn, kCurrentPriceColumn, kThresholdColumn})
    dc->DrawText(GetItemText(row, column), &cells[column], kOneLine);

  dc->SetTextColor(previousColour);
  dc->SelectObject(previousFont);
  dc->SetBkMode(previousMode);
}

BOOL CCutPriceList::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  CBrush background(kRowBackground);
  dc->FillRect(&client, &background);
  return TRUE;
}

BOOL CCutPriceList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && (header->code == HDN_ENDTRACKW || header->code == HDN_ENDTRACKA)) {
    // A column was resized.
    BuildColumnMap();
    *result = 0;
    return TRUE;
  }
  return CListCtrl::OnNotify(wParam, lParam, result);
}

void CCutPriceList::BuildColumnMap() {
  columns_.clear();
  CHeaderCtrl* header = GetHeaderCtrl();
  if (!header) return;
  const int count = header->GetItemCount();
  for (int i = 0; i < count; ++i) {
    CRect rect;
    if (header->GetItemRect(i, &rect)) columns_[i] = rect;
  }
}

RowAction CCutPriceList::ActionAt(CPoint point, int* row) const {
  *row = HitTest(point);
  if (*row < 0) return RowAction::kNone;
  const int column = ColumnAtX(columns_, point.x);
  if (column < 0) return RowAction::kNone;
  return RowActionAt(column, point.x - columns_.at(column).left);
}

void CCutPriceList::ChooseCursor(CPoint point) {
  int row = -1;
  const bool hand = ActionAt(point, &row) != RowAction::kNone;
  ::SetCursor(::LoadCursorW(nullptr, hand ? IDC_HAND : IDC_ARROW));
}

void CCutPriceList::OnMouseMove(UINT flags, CPoint point) {
  if (columns_.empty()) BuildColumnMap();
  ChooseCursor(point);
  CListCtrl::OnMouseMove(flags, point);
}

void CCutPriceList::OnLButtonUp(UINT flags, CPoint point) {
  ChooseCursor(point);
  CListCtrl::OnLButtonUp(flags, point);
}

void CCutPriceList::OnLButtonDown(UINT flags, CPoint point) {
  // A press may come before any move over the list.
  if (columns_.empty()) BuildColumnMap();
  int row = -1;
  const RowAction action = ActionAt(point, &row);
  const ReducePriceItem* item = RowItem(row);
  if (!item) return;
  if (action == RowAction::kOpen) {
    if (mainWindow_) mainWindow_->SendMessage(WM_OPEN_ITEM_URL, 0, reinterpret_cast<LPARAM>(item->Url));
  } else if (action == RowAction::kRemove) {
    const DWORD id = item->Id;
    actions_.RemoveWatch(item->Url);
    DeleteItem(row);
    rows_.erase(id);
  }
  (void)flags;
}
