#pragma once
// Questions about the tree of windows that the on-screen code asks all the
// time. Every function here expects WindowTableLock() to be held and never
// calls a window procedure.
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <memory>
#include <vector>

#include "window_table.h"

namespace quorla {

using WindowPtr = std::shared_ptr<WindowRecord>;

// Windows that are drawn and take part in placement: not message-only.
bool IsOnScreenKind(const WindowRecord& window);
bool IsTopLevel(const WindowRecord& window);
WindowPtr ParentLocked(const WindowRecord& window);
// The top-level window a window is drawn into (itself for a top-level one).
WindowPtr TopLevelLocked(const WindowPtr& window);
// The window and all its ancestors carry WS_VISIBLE.
bool IsVisibleLocked(const WindowRecord& window);
// The window and all its ancestors are enabled.
bool IsEnabledLocked(const WindowRecord& window);

QRect RectOf(const WindowRecord& window);  // parent client (or screen) coordinates
QSize SizeOf(const WindowRecord& window);
// The screen point of the window's client origin.
QPoint ScreenOriginLocked(const WindowRecord& window);
// The window's client origin in its top-level window's coordinates.
QPoint OffsetInTopLevelLocked(const WindowRecord& window);

// Children, the topmost first.
std::vector<WindowPtr> ChildrenLocked(HWND parent);
// Top-level windows of the process that are on screen, the topmost first.
std::vector<WindowPtr> TopLevelWindowsLocked();
// Windows of one thread.
std::vector<WindowPtr> WindowsOfThreadLocked(DWORD threadId);
// The windows owned by a window.
std::vector<WindowPtr> OwnedWindowsLocked(HWND owner);

// The next z-order stamp: a window given it lies above every other.
std::uint64_t NextZOrderLocked();

// The pixels of the window that its own DC may reach, in its client
// coordinates: its client area inside every ancestor's client area and
// window region, inside its own region, minus visible children when it has
// WS_CLIPCHILDREN (but for transparent ones, WS_EX_TRANSPARENT) and visible
// siblings above it when it has WS_CLIPSIBLINGS.
QRegion VisibleRegionLocked(const WindowPtr& window);

// Whether a point in the window's parent's client coordinates (the screen for
// a top-level window) lies in the window's rectangle and region.
bool HoldsPointLocked(const WindowRecord& window, QPoint point);

}  // namespace quorla
