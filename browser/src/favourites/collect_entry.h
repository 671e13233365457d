#pragma once
// One entry of the favourites: a group (a bar button, or a submenu of one)
// or a link. The list and its entries are read once and never changed.
#include <memory>
#include <vector>

#include "afx/string.h"

struct CollectEntry {
  CString title;
  int id = 0;  // groups 1060 on, links 1170 on
  CString url;  // links only; empty for groups and for a link without one
  std::vector<std::unique_ptr<CollectEntry>> children;  // in file order
};

// The top-level groups, in file order.
using CollectList = std::vector<std::unique_ptr<CollectEntry>>;
