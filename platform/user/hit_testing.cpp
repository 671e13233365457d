#include "hit_testing.h"

#include "window_tree.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

// Descends from a window to its deepest visible child at a point given in
// the window's client coordinates.
WindowPtr DeepestLocked(WindowPtr window, QPoint point, bool forInput) {
  for (;;) {
    WindowPtr next;
    for (const WindowPtr& child : ChildrenLocked(window->handle)) {
      if (!(child->style & WS_VISIBLE) || (forInput && (child->style & WS_DISABLED))) continue;
      if (HoldsPointLocked(*child, point)) {
        next = child;
        break;
      }
    }
    if (!next) return window;
    point -= RectOf(*next).topLeft();
    window = next;
  }
}

}  // namespace

HWND WindowAtScreenPoint(QPoint screen, bool forInput) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  for (const WindowPtr& top : TopLevelWindowsLocked()) {
    if (!(top->style & WS_VISIBLE) || !HoldsPointLocked(*top, screen)) continue;
    if (top->exStyle & WS_EX_TRANSPARENT) continue;  // a tip or overlay: the point is the window's below
    if (forInput && (top->style & WS_DISABLED)) return nullptr;
    return DeepestLocked(top, screen - RectOf(*top).topLeft(), forInput)->handle;
  }
  return nullptr;
}

}  // namespace quorla

HWND WindowFromPoint(POINT point) { return quorla::WindowAtScreenPoint(QPoint(point.x, point.y), false); }

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(parent);
  if (!window) return nullptr;
  QPoint p(point.x, point.y);
  if (!QRect(QPoint(0, 0), quorla::SizeOf(*window)).contains(p)) return nullptr;
  for (const quorla::WindowPtr& child : quorla::ChildrenLocked(parent))
    if (quorla::HoldsPointLocked(*child, p)) return child->handle;
  return parent;
}
