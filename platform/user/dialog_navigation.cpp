// Moving between a dialog's items: the order they were made, tab stops and
// groups.
#include "dialog_navigation.h"

#include <algorithm>

#include "window_table.h"
#include "win/dialogs.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {

// Handles only grow: their order is the order the windows were made.
std::vector<HWND> ChildrenInCreationOrder(HWND dialog) {
  auto found = quorla::WindowsWhere(
      [](const quorla::WindowRecord& record, const void* context) {
        return record.parent == *static_cast<const HWND*>(context) && record.alive;
      },
      &dialog);
  std::vector<HWND> items;
  for (const auto& record : found) items.push_back(record->handle);
  std::sort(items.begin(), items.end(),
            [](HWND a, HWND b) { return reinterpret_cast<ULONG_PTR>(a) < reinterpret_cast<ULONG_PTR>(b); });
  return items;
}

std::vector<HWND> GroupAround(HWND control) {
  const std::vector<HWND> items = ChildrenInCreationOrder(GetParent(control));
  auto at = std::find(items.begin(), items.end(), control);
  if (at == items.end()) return {};
  auto first = at;
  while (first != items.begin() && !(GetWindowLongPtrW(*first, GWL_STYLE) & WS_GROUP)) --first;
  auto end = at + 1;
  while (end != items.end() && !(GetWindowLongPtrW(*end, GWL_STYLE) & WS_GROUP)) ++end;
  return std::vector<HWND>(first, end);
}

}  // namespace quorla

namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }

bool Reachable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

// The next item after from (or before it) that passes take, wrapping
// around; from itself when no other does, null when it does not either.
template <class Take>
HWND Cycle(const std::vector<HWND>& items, HWND from, bool previous, Take take) {
  if (items.empty()) return nullptr;
  const auto count = static_cast<long>(items.size());
  auto at = std::find(items.begin(), items.end(), from);
  long start = at == items.end() ? (previous ? 0 : count - 1) : static_cast<long>(at - items.begin());
  for (long step = 1; step <= count; ++step) {
    const long i = ((start + (previous ? -step : step)) % count + count) % count;
    if (take(items[static_cast<size_t>(i)])) return items[static_cast<size_t>(i)];
  }
  return nullptr;
}

}  // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  return Cycle(quorla::ChildrenInCreationOrder(dialog), control, previous != FALSE,
               [](HWND item) { return (StyleOf(item) & WS_TABSTOP) && Reachable(item); });
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  if (!control || GetParent(control) != dialog)
    return Cycle(quorla::ChildrenInCreationOrder(dialog), nullptr, previous != FALSE, Reachable);
  return Cycle(quorla::GroupAround(control), control, previous != FALSE, Reachable);
}
