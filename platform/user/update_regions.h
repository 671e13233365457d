#pragma once
// The layer's update regions: what of a window needs painting. Kept per
// window in client coordinates; WM_PAINT is made from them by the loop.
#include <QRegion>

#include "window_tree.h"

namespace quorla {

enum class ChildScope {
  kByStyle,  // children too, unless the window has WS_CLIPCHILDREN
  kAll,
  kNone,
};

// Adds the area (client coordinates) to the update region of the window
// and, by scope, of its visible children. Returns the threads whose windows
// were touched (to wake them when they are not the caller's). With
// WindowTableLock() held.
void InvalidateLocked(const WindowPtr& window, const QRegion& area, bool erase, ChildScope scope,
                      std::vector<DWORD>* threads);
void ValidateLocked(const WindowPtr& window, const QRegion& area, ChildScope scope);

// Wakes the loops of other threads that have new painting to do.
void WakePainters(const std::vector<DWORD>& threads);

// Invalidates the whole of a window (and its children) and wakes its
// painter: a window that is shown, resized or exposed again.
void InvalidateWhole(HWND hwnd, bool erase);
// Invalidates an area of a window's parent (client coordinates of the
// parent), or nothing for a top-level window.
void InvalidateParentArea(HWND parent, const QRegion& area);

// Sends WM_PAINT now to the window (when visible and its update region is not
// empty) and then, by scope, to its children.
void PaintNow(HWND hwnd, ChildScope scope);
// Sends WM_ERASEBKGND now when an erase is pending; clears it when the
// window erased.
void EraseNow(HWND hwnd);

}  // namespace quorla
