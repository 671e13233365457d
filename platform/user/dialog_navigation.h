#pragma once
// The order of a dialog's items and their groups, shared by the dialog's
// keys and by radio buttons.
#include <vector>

#include "win/types.h"

namespace quorla {

// The window's children in the order they were made.
std::vector<HWND> ChildrenInCreationOrder(HWND parent);
// The group control belongs to among its siblings: from the sibling with
// WS_GROUP at or before it (or the first) to the one before the next
// WS_GROUP; empty for a window without a parent.
std::vector<HWND> GroupAround(HWND control);

}  // namespace quorla
