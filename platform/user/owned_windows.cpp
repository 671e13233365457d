#include "owned_windows.h"

#include <algorithm>
#include <vector>

#include "window_tree.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// The visible windows owned by owner, the lowest first.
std::vector<WindowPtr> VisibleOwnedLowestFirst(HWND owner) {
  std::vector<WindowPtr> owned = OwnedWindowsLocked(owner);
  owned.erase(std::remove_if(owned.begin(), owned.end(),
                             [](const WindowPtr& w) { return !(w->style & WS_VISIBLE); }),
              owned.end());
  std::sort(owned.begin(), owned.end(),
            [](const WindowPtr& a, const WindowPtr& b) { return a->ui.zorder < b->ui.zorder; });
  return owned;
}

}  // namespace

void RaiseOwnedWindows(HWND owner) {
  std::vector<HWND> owned;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    for (const WindowPtr& window : VisibleOwnedLowestFirst(owner)) owned.push_back(window->handle);
  }
  // Each raise brings that window's own owned windows along.
  for (HWND hwnd : owned) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND ActivationTarget(HWND top) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  HWND target = top;
  for (int depth = 0; depth < 64; ++depth) {  // owner chains are short; a bound costs nothing
    auto window = FindWindowRecordLocked(target);
    if (!window || !(window->style & WS_DISABLED)) break;
    std::vector<WindowPtr> owned = VisibleOwnedLowestFirst(target);
    // Only a window of the same thread can take the activation over.
    const DWORD thread = window->threadId;
    owned.erase(std::remove_if(owned.begin(), owned.end(), [&](const WindowPtr& w) { return w->threadId != thread; }),
                owned.end());
    if (owned.empty()) break;
    target = owned.back()->handle;
  }
  return target;
}

}  // namespace quorla
