#include "header_items.h"

#include <algorithm>
#include <cstdlib>

namespace quorla {

void HeaderItems::Apply(Item& to, const HDITEMW& from) {
  if (from.mask & HDI_TEXT) to.text = from.pszText ? std::u16string(from.pszText) : std::u16string();
  if (from.mask & HDI_WIDTH) to.width = std::max(0, from.cxy);
  if (from.mask & HDI_FORMAT) to.format = from.fmt;
  if (from.mask & HDI_LPARAM) to.param = from.lParam;
}

int HeaderItems::Insert(int index, const HDITEMW& item) {
  if (index < 0) return -1;
  index = std::min(index, Count());
  Item made;
  Apply(made, item);
  items_.insert(items_.begin() + index, std::move(made));
  return index;
}

bool HeaderItems::Set(int index, const HDITEMW& item) {
  if (!Has(index)) return false;
  Apply(items_[static_cast<size_t>(index)], item);
  return true;
}

bool HeaderItems::Get(int index, HDITEMW& item) const {
  if (!Has(index)) return false;
  const Item& from = items_[static_cast<size_t>(index)];
  if (item.mask & HDI_TEXT && item.pszText && item.cchTextMax > 0) {
    const size_t n = std::min(from.text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    from.text.copy(item.pszText, n);
    item.pszText[n] = 0;
  }
  if (item.mask & HDI_WIDTH) item.cxy = from.width;
  if (item.mask & HDI_FORMAT) item.fmt = from.format;
  if (item.mask & HDI_LPARAM) item.lParam = from.param;
  return true;
}

bool HeaderItems::Delete(int index) {
  if (!Has(index)) return false;
  items_.erase(items_.begin() + index);
  return true;
}

int HeaderItems::Left(int index) const {
  int left = 0;
  for (int i = 0; i < index && i < Count(); ++i) left += items_[static_cast<size_t>(i)].width;
  return left;
}

int HeaderItems::DividerAt(int x) const {
  int found = -1;
  int right = 0;
  for (int i = 0; i < Count(); ++i) {
    right += items_[static_cast<size_t>(i)].width;
    if (std::abs(x - right) <= kGrip) found = i;
  }
  return found;
}

int HeaderItems::ItemAt(int x) const {
  int left = 0;
  for (int i = 0; i < Count(); ++i) {
    const int right = left + items_[static_cast<size_t>(i)].width;
    if (x >= left && x < right) return i;
    left = right;
  }
  return -1;
}

}  // namespace quorla
