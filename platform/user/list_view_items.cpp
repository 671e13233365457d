#include "list_view_items.h"

#include <algorithm>

namespace quorla {

int ListViewItems::InsertColumn(int index) {
  if (index < 0) return -1;
  index = std::min(index, columns_);
  ++columns_;
  for (Row& row : rows_)
    if (static_cast<int>(row.texts.size()) > index) row.texts.insert(row.texts.begin() + index, std::u16string());
  return index;
}

void ListViewItems::Apply(Row& to, const LVITEMW& from) {
  if (from.iSubItem == 0) {
    if (from.mask & LVIF_PARAM) to.param = from.lParam;
    if (from.mask & LVIF_STATE) to.state = (to.state & ~from.stateMask) | (from.state & from.stateMask);
  }
  if (from.mask & LVIF_TEXT) {
    const auto at = static_cast<size_t>(from.iSubItem);
    if (to.texts.size() <= at) to.texts.resize(at + 1);
    to.texts[at] = from.pszText ? std::u16string(from.pszText) : std::u16string();
  }
}

int ListViewItems::Insert(const LVITEMW& item) {
  if (item.iItem < 0 || item.iSubItem != 0) return -1;
  const int index = std::min(item.iItem, Count());
  Row made;
  Apply(made, item);
  rows_.insert(rows_.begin() + index, std::move(made));
  return index;
}

bool ListViewItems::Set(const LVITEMW& item) {
  if (!Has(item.iItem) || item.iSubItem < 0) return false;
  Apply(rows_[static_cast<size_t>(item.iItem)], item);
  return true;
}

bool ListViewItems::Get(LVITEMW& item) const {
  if (!Has(item.iItem) || item.iSubItem < 0) return false;
  const Row& from = rows_[static_cast<size_t>(item.iItem)];
  if (item.mask & LVIF_TEXT) CopyText(item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
  if (item.mask & LVIF_PARAM) item.lParam = from.param;
  if (item.mask & LVIF_STATE) item.state = from.state & item.stateMask;
  return true;
}

bool ListViewItems::SetText(int index, int subItem, LPCWSTR text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.iSubItem = subItem;
  item.pszText = const_cast<LPWSTR>(text);
  return Set(item);
}

const std::u16string& ListViewItems::Text(int index, int subItem) const {
  static const std::u16string kEmpty;
  if (!Has(index) || subItem < 0) return kEmpty;
  const Row& row = rows_[static_cast<size_t>(index)];
  return static_cast<size_t>(subItem) < row.texts.size() ? row.texts[static_cast<size_t>(subItem)] : kEmpty;
}

int ListViewItems::CopyText(int index, int subItem, LPWSTR buffer, int size) const {
  if (!buffer || size <= 0) return 0;
  const std::u16string& text = Text(index, subItem);
  const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
  text.copy(buffer, n);
  buffer[n] = 0;
  return static_cast<int>(n);
}

void ListViewItems::SetState(int index, UINT mask, UINT state) {
  for (int i = 0; i < Count(); ++i) {
    if (index >= 0 && i != index) continue;
    Row& row = rows_[static_cast<size_t>(i)];
    row.state = (row.state & ~mask) | (state & mask);
  }
}

bool ListViewItems::Delete(int index) {
  if (!Has(index)) return false;
  rows_.erase(rows_.begin() + index);
  return true;
}

}  // namespace quorla
