#include "tab_geometry.h"

#include <algorithm>

namespace tab_geometry {

int TabWidth(int clientWidth, int count) {
  if (count <= 0) return kMaxTabWidth;
  return std::clamp((clientWidth - 34) / count, 1, kMaxTabWidth);
}

int TabsWidth(int count, int tabWidth, int clientWidth) {
  if (count <= 0) return 2;
  if (tabWidth < kMaxTabWidth) return clientWidth - 30;
  return count * tabWidth + 4;
}

RECT CloseBox(int index, int tabWidth, int top, int bottom) {
  const int right = (index + 1) * tabWidth - kCloseGap;
  return RECT{right - kCloseSize, (top + bottom - kCloseSize) / 2 + 2, right, (top + bottom + kCloseSize) / 2 + 2};
}

RECT TextBox(const RECT& tab) { return RECT{tab.left + 28, tab.top + 4, tab.right - kCloseSize - kCloseGap, tab.bottom}; }

bool ShowsText(const RECT& tab) {
  const RECT box = TextBox(tab);
  return box.right - box.left > 12;
}

POINT ClosePlace(const RECT& tab) {
  return POINT{tab.right - kCloseSize - 10, (tab.top + tab.bottom - kCloseSize) / 2 + 2};
}

bool ShowsClose(const RECT& tab) { return tab.right - tab.left > 30; }

}  // namespace tab_geometry
