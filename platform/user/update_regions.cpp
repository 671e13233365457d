// Update regions, WM_PAINT from the loop, and the calls that invalidate,
// validate and paint at once.
#include "update_regions.h"

#include <algorithm>

#include "message_queue.h"
#include "region_object.h"
#include "transparent_backdrop.h"
#include "ui_loop.h"
#include "window_dc.h"
#include "win/last_error.h"
#include "win/painting.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/window_objects.h"

namespace quorla {

void InvalidateLocked(const WindowPtr& window, const QRegion& area, bool erase, ChildScope scope,
                      std::vector<DWORD>* threads) {
  if (!window || !IsOnScreenKind(*window)) return;
  QRegion clipped = area & QRect(QPoint(0, 0), SizeOf(*window));
  if (clipped.isEmpty()) return;
  window->ui.update += clipped;
  if (erase) window->ui.erasePending = true;
  if (threads && std::find(threads->begin(), threads->end(), window->threadId) == threads->end())
    threads->push_back(window->threadId);
  if (scope == ChildScope::kNone) return;
  const bool allChildren = scope == ChildScope::kAll || !(window->style & WS_CLIPCHILDREN);
  for (const WindowPtr& child : ChildrenLocked(window->handle)) {
    if (!(child->style & WS_VISIBLE)) continue;
    // The parent paints under a transparent child even with WS_CLIPCHILDREN:
    // the child must paint over it again.
    if (!allChildren && !(child->exStyle & WS_EX_TRANSPARENT)) continue;
    InvalidateLocked(child, clipped.translated(-RectOf(*child).topLeft()), erase, scope, threads);
  }
}

void ValidateLocked(const WindowPtr& window, const QRegion& area, ChildScope scope) {
  if (!window) return;
  window->ui.update -= area;
  if (window->ui.update.isEmpty()) window->ui.erasePending = false;
  bool children = scope == ChildScope::kAll || (scope == ChildScope::kByStyle && !(window->style & WS_CLIPCHILDREN));
  if (!children) return;
  for (const WindowPtr& child : ChildrenLocked(window->handle))
    ValidateLocked(child, area.translated(-RectOf(*child).topLeft()), scope);
}

void WakePainters(const std::vector<DWORD>& threads) {
  DWORD self = GetCurrentThreadId();
  for (DWORD thread : threads) {
    if (thread == self) continue;
    if (auto queue = QueueOfThread(thread)) queue->Nudge();
  }
}

void InvalidateWhole(HWND hwnd, bool erase) {
  std::vector<DWORD> threads;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return;
    InvalidateLocked(window, QRect(QPoint(0, 0), SizeOf(*window)), erase, ChildScope::kAll, &threads);
  }
  WakePainters(threads);
}

void InvalidateParentArea(HWND parent, const QRegion& area) {
  if (!parent) return;
  std::vector<DWORD> threads;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    InvalidateLocked(FindWindowRecordLocked(parent), area, true, ChildScope::kByStyle, &threads);
  }
  WakePainters(threads);
}

bool TakePaintMessage(DWORD threadId, HWND filter, UINT min, UINT max, MSG* out) {
  MSG probe{};
  probe.message = WM_PAINT;
  probe.hwnd = filter;
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) || !PassesFilter(probe, filter, min, max))
    return false;
  HWND chosen = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    int bestDepth = 0;
    for (const WindowPtr& window : WindowsOfThreadLocked(threadId)) {
      if (filter && window->handle != filter) continue;
      if (window->ui.update.isEmpty() || !IsVisibleLocked(*window)) continue;
      int depth = 0;
      for (WindowPtr p = ParentLocked(*window); p; p = ParentLocked(*p)) ++depth;
      // Parents paint before their children, which draw over them.
      if (!chosen || depth < bestDepth ||
          (depth == bestDepth && reinterpret_cast<ULONG_PTR>(window->handle) < reinterpret_cast<ULONG_PTR>(chosen))) {
        chosen = window->handle;
        bestDepth = depth;
      }
    }
  }
  if (!chosen) return false;
  *out = MSG{};
  out->hwnd = chosen;
  out->message = WM_PAINT;
  out->time = GetTickCount();
  return true;
}

void PaintNow(HWND hwnd, ChildScope scope) {
  bool paint = false;
  std::vector<HWND> children;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window || !IsVisibleLocked(*window)) return;
    paint = !window->ui.update.isEmpty();
    // Children with update regions of their own paint after their parent,
    // whatever put those regions there.
    if (scope != ChildScope::kNone)
      for (const WindowPtr& child : ChildrenLocked(hwnd)) children.push_back(child->handle);
  }
  if (paint) SendMessageW(hwnd, WM_PAINT, 0, 0);
  // The topmost child last, so it ends up over its siblings.
  std::reverse(children.begin(), children.end());
  for (HWND child : children) PaintNow(child, scope);
}

void EraseNow(HWND hwnd) {
  QRegion area;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window || !window->ui.erasePending || !IsVisibleLocked(*window)) return;
    area = window->ui.update;
  }
  LayBackdrop(hwnd, area);
  HDC dc = OpenWindowDc(hwnd, area);
  LRESULT erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  CloseWindowDc(dc);
  if (!erased) return;
  std::lock_guard<std::mutex> guard(WindowTableLock());
  if (auto window = FindWindowRecordLocked(hwnd)) window->ui.erasePending = false;
}

}  // namespace quorla

using quorla::ChildScope;
using quorla::WindowPtr;

namespace {

std::optional<QRegion> AreaOf(const RECT* rect, HRGN region) {
  if (region) {
    auto object = quorla::LookUpGdi<quorla::RegionObject>(region);
    if (!object) return std::nullopt;
    return object->region;
  }
  if (rect) return QRegion(quorla::ToQRect(*rect));
  return QRegion(QRect(-0x3FFFFFFF, -0x3FFFFFFF, 0x7FFFFFFE, 0x7FFFFFFE));  // everything; clipped to the client area
}

BOOL Invalidate(HWND hwnd, const RECT* rect, HRGN region, bool erase) {
  auto area = AreaOf(rect, region);
  if (!area) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::vector<DWORD> threads;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    quorla::InvalidateLocked(window, *area, erase, ChildScope::kByStyle, &threads);
  }
  quorla::WakePainters(threads);
  return TRUE;
}

BOOL Validate(HWND hwnd, const RECT* rect, HRGN region) {
  auto area = AreaOf(rect, region);
  if (!area) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  quorla::ValidateLocked(window, *area, ChildScope::kByStyle);
  return TRUE;
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) { return Invalidate(hwnd, rect, nullptr, erase != FALSE); }

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
  if (!region) return Invalidate(hwnd, nullptr, nullptr, erase != FALSE);
  return Invalidate(hwnd, nullptr, region, erase != FALSE);
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) { return Validate(hwnd, rect, nullptr); }

BOOL ValidateRgn(HWND hwnd, HRGN region) { return Validate(hwnd, nullptr, region); }

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  if (erase) quorla::EraseNow(hwnd);
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (rect) *rect = quorla::ToRect(window->ui.update.boundingRect());
  return window->ui.update.isEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
  auto object = quorla::LookUpGdi<quorla::RegionObject>(region);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return ERROR;
  }
  if (erase) quorla::EraseNow(hwnd);
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return ERROR;
  }
  object->region = window->ui.update;
  return quorla::RegionType(object->region);
}

BOOL UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  quorla::PaintNow(hwnd, ChildScope::kByStyle);
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  if (!hwnd) return FALSE;  // the desktop is not the layer's to draw
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto area = AreaOf(rect, region);
  if (!area) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ChildScope scope = (flags & RDW_ALLCHILDREN)   ? ChildScope::kAll
                     : (flags & RDW_NOCHILDREN) ? ChildScope::kNone
                                                : ChildScope::kByStyle;
  std::vector<DWORD> threads;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (flags & RDW_INVALIDATE) quorla::InvalidateLocked(window, *area, (flags & RDW_ERASE) != 0, scope, &threads);
    if (flags & RDW_VALIDATE) quorla::ValidateLocked(window, *area, scope);
    if ((flags & RDW_NOERASE) && window) window->ui.erasePending = false;
  }
  quorla::WakePainters(threads);
  if (flags & RDW_UPDATENOW) quorla::PaintNow(hwnd, scope);
  else if (flags & RDW_ERASENOW) quorla::EraseNow(hwnd);
  return TRUE;
}
