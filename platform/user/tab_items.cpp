#include "tab_items.h"

#include <algorithm>

namespace quorla {
namespace {

// Where the row starts: tabs keep two pixels from the control's top and
// left edges.
constexpr int kRowLeft = 2;
constexpr int kRowTop = 2;

}  // namespace

void TabItems::Apply(Item& to, const TCITEMW& from) {
  if (from.mask & TCIF_TEXT) to.text = from.pszText ? std::u16string(from.pszText) : std::u16string();
  if (from.mask & TCIF_IMAGE) to.image = from.iImage;
  if (from.mask & TCIF_PARAM) to.param = from.lParam;
  if (from.mask & TCIF_STATE) {
    const DWORD mask = from.dwStateMask & ~TCIS_BUTTONPRESSED;
    to.state = (to.state & ~mask) | (from.dwState & mask);
  }
}

int TabItems::Insert(int index, const TCITEMW& item) {
  if (index < 0) return -1;
  index = std::min(index, Count());
  Item made;
  Apply(made, item);
  items_.insert(items_.begin() + index, std::move(made));
  if (selected_ < 0) selected_ = 0;
  else if (index <= selected_) ++selected_;
  return index;
}

bool TabItems::Set(int index, const TCITEMW& item) {
  if (!Has(index)) return false;
  Apply(items_[static_cast<size_t>(index)], item);
  return true;
}

bool TabItems::Get(int index, TCITEMW& item) const {
  static const Item kNone;
  const bool found = Has(index);
  const Item& from = found ? items_[static_cast<size_t>(index)] : kNone;
  if (item.mask & TCIF_TEXT && item.pszText && item.cchTextMax > 0) {
    const size_t n = std::min(from.text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    from.text.copy(item.pszText, n);
    item.pszText[n] = 0;
  }
  if (item.mask & TCIF_IMAGE) item.iImage = from.image;
  if (item.mask & TCIF_PARAM) item.lParam = from.param;
  if (item.mask & TCIF_STATE) {
    const DWORD state = from.state | (found && index == selected_ ? TCIS_BUTTONPRESSED : 0);
    item.dwState = state & item.dwStateMask;
  }
  return found;
}

bool TabItems::Delete(int index) {
  if (!Has(index)) return false;
  items_.erase(items_.begin() + index);
  if (index == selected_) selected_ = -1;
  else if (index < selected_) --selected_;
  return true;
}

void TabItems::Clear() {
  items_.clear();
  selected_ = -1;
}

int TabItems::Select(int index) {
  if (!Has(index)) return -1;
  const int previous = selected_;
  selected_ = index;
  return previous;
}

SIZE TabItems::SetItemSize(SIZE size) {
  const SIZE previous = size_;
  size_ = size;
  return previous;
}

bool TabItems::Rect(int index, RECT& rect) const {
  if (!Has(index)) return false;
  rect.left = kRowLeft + index * size_.cx;
  rect.right = rect.left + size_.cx;
  rect.top = kRowTop;
  rect.bottom = kRowTop + size_.cy;
  return true;
}

int TabItems::HitTest(POINT point) const {
  if (size_.cx <= 0 || point.y < kRowTop || point.y >= kRowTop + size_.cy || point.x < kRowLeft) return -1;
  const int index = (point.x - kRowLeft) / size_.cx;
  return Has(index) ? index : -1;
}

}  // namespace quorla
