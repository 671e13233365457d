#include "window_tree.h"

#include <algorithm>

#include "win/window_styles.h"

namespace quorla {

bool IsOnScreenKind(const WindowRecord& window) { return !window.messageOnly; }

bool IsTopLevel(const WindowRecord& window) { return !window.parent; }

WindowPtr ParentLocked(const WindowRecord& window) {
  return window.parent ? FindWindowRecordLocked(window.parent) : nullptr;
}

WindowPtr TopLevelLocked(const WindowPtr& window) {
  WindowPtr current = window;
  while (current && current->parent) {
    WindowPtr parent = ParentLocked(*current);
    if (!parent) break;
    current = parent;
  }
  return current;
}

bool IsVisibleLocked(const WindowRecord& window) {
  if (!IsOnScreenKind(window) || !(window.style & WS_VISIBLE)) return false;
  for (WindowPtr p = ParentLocked(window); p; p = ParentLocked(*p))
    if (!(p->style & WS_VISIBLE)) return false;
  return true;
}

bool IsEnabledLocked(const WindowRecord& window) {
  if (window.style & WS_DISABLED) return false;
  for (WindowPtr p = ParentLocked(window); p; p = ParentLocked(*p))
    if (p->style & WS_DISABLED) return false;
  return true;
}

QRect RectOf(const WindowRecord& window) {
  const RECT& r = window.ui.rect;
  return QRect(r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top));
}

QSize SizeOf(const WindowRecord& window) { return RectOf(window).size(); }

QPoint ScreenOriginLocked(const WindowRecord& window) {
  QPoint origin = RectOf(window).topLeft();
  for (WindowPtr p = ParentLocked(window); p; p = ParentLocked(*p)) origin += RectOf(*p).topLeft();
  return origin;
}

QPoint OffsetInTopLevelLocked(const WindowRecord& window) {
  if (!window.parent) return QPoint(0, 0);
  QPoint offset = RectOf(window).topLeft();
  for (WindowPtr p = ParentLocked(window); p && p->parent; p = ParentLocked(*p)) offset += RectOf(*p).topLeft();
  return offset;
}

namespace {

std::vector<WindowPtr> SortedTopFirst(std::vector<WindowPtr> windows) {
  std::sort(windows.begin(), windows.end(), [](const WindowPtr& a, const WindowPtr& b) {
    bool aTop = (a->exStyle & WS_EX_TOPMOST) != 0, bTop = (b->exStyle & WS_EX_TOPMOST) != 0;
    if (aTop != bTop) return aTop;
    return a->ui.zorder > b->ui.zorder;
  });
  return windows;
}

}  // namespace

std::vector<WindowPtr> ChildrenLocked(HWND parent) {
  std::vector<WindowPtr> children;
  ForEachWindowLocked([&](const WindowPtr& w) {
    if (w->parent == parent && w->alive) children.push_back(w);
  });
  return SortedTopFirst(std::move(children));
}

std::vector<WindowPtr> TopLevelWindowsLocked() {
  std::vector<WindowPtr> windows;
  ForEachWindowLocked([&](const WindowPtr& w) {
    if (!w->parent && IsOnScreenKind(*w) && w->alive) windows.push_back(w);
  });
  return SortedTopFirst(std::move(windows));
}

std::vector<WindowPtr> WindowsOfThreadLocked(DWORD threadId) {
  std::vector<WindowPtr> windows;
  ForEachWindowLocked([&](const WindowPtr& w) {
    if (w->threadId == threadId && w->alive) windows.push_back(w);
  });
  return windows;
}

std::vector<WindowPtr> OwnedWindowsLocked(HWND owner) {
  std::vector<WindowPtr> windows;
  ForEachWindowLocked([&](const WindowPtr& w) {
    if (w->owner == owner && w->alive) windows.push_back(w);
  });
  return windows;
}

std::uint64_t NextZOrderLocked() {
  static std::uint64_t next = 0;
  return ++next;
}

QRegion VisibleRegionLocked(const WindowPtr& window) {
  if (!window || !IsOnScreenKind(*window)) return QRegion();
  QRegion visible(QRect(QPoint(0, 0), SizeOf(*window)));
  if (window->ui.shape) visible &= *window->ui.shape;
  // Ancestors clip: walk up, keeping the region in this window's coordinates.
  QPoint shift = -RectOf(*window).topLeft();  // from the parent's client coordinates to ours
  WindowPtr child = window;
  for (WindowPtr p = ParentLocked(*window); p; child = p, p = ParentLocked(*p)) {
    QRegion parentArea(QRect(QPoint(0, 0), SizeOf(*p)));
    if (p->ui.shape) parentArea &= *p->ui.shape;
    visible &= parentArea.translated(shift);
    if (child->style & WS_CLIPSIBLINGS) {
      for (const WindowPtr& sibling : ChildrenLocked(p->handle)) {
        if (sibling == child) break;  // the rest lie below
        if (sibling->style & WS_VISIBLE) visible -= QRegion(RectOf(*sibling)).translated(shift);
      }
    }
    shift -= RectOf(*p).topLeft();
  }
  if (window->style & WS_CLIPCHILDREN) {
    for (const WindowPtr& child : ChildrenLocked(window->handle)) {
      // A transparent child draws over its parent's pixels: they stay.
      if (!(child->style & WS_VISIBLE) || (child->exStyle & WS_EX_TRANSPARENT)) continue;
      QRegion area(RectOf(*child));
      if (child->ui.shape) area = child->ui.shape->translated(RectOf(*child).topLeft()) & area;
      visible -= area;
    }
  }
  return visible;
}

bool HoldsPointLocked(const WindowRecord& window, QPoint point) {
  QRect rect = RectOf(window);
  if (!rect.contains(point)) return false;
  return !window.ui.shape || window.ui.shape->contains(point - rect.topLeft());
}

}  // namespace quorla
