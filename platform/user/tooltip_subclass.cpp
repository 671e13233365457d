#include "tooltip_subclass.h"

#include <algorithm>
#include <map>
#include <vector>

#include "win/common_controls.h"
#include "win/input.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

struct Watch {
  WNDPROC original = nullptr;
  std::vector<HWND> tooltips;
};

std::map<HWND, Watch>& Watches() {
  thread_local std::map<HWND, Watch> watches;
  return watches;
}

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL) ||
         message == WM_MOUSELEAVE;
}

LRESULT CALLBACK WatchingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& watches = Watches();
  auto it = watches.find(hwnd);
  if (it == watches.end()) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (IsMouseMessage(message) && !it->second.tooltips.empty()) {
    MSG msg{hwnd, message, wParam, lParam, GetTickCount(), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
    if (message == WM_MOUSELEAVE) GetCursorPos(&msg.pt);
    else ClientToScreen(hwnd, &msg.pt);
    const std::vector<HWND> tooltips = it->second.tooltips;  // a tooltip may stop watching meanwhile
    for (HWND tooltip : tooltips) SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    it = watches.find(hwnd);
    if (it == watches.end()) return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  WNDPROC original = it->second.original;
  if (message == WM_NCDESTROY) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &WatchingProcedure)
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    watches.erase(it);
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

void StopWatching(HWND window) {
  auto& watches = Watches();
  auto it = watches.find(window);
  if (it == watches.end() || !it->second.tooltips.empty()) return;
  // Only a wrapper that is still the outermost can step aside; one that
  // another wrapper called keeps forwarding.
  if (IsWindow(window) && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == &WatchingProcedure) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
    watches.erase(it);
  }
}

}  // namespace

void WatchToolWindow(HWND window, HWND tooltip) {
  DWORD owner = GetWindowThreadProcessId(window, nullptr);
  if (!IsWindow(window) || owner != GetCurrentThreadId()) return;
  auto& watches = Watches();
  auto it = watches.find(window);
  if (it == watches.end()) {
    Watch watch;
    watch.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchingProcedure)));
    it = watches.emplace(window, std::move(watch)).first;
  }
  auto& tooltips = it->second.tooltips;
  if (std::find(tooltips.begin(), tooltips.end(), tooltip) == tooltips.end()) tooltips.push_back(tooltip);
}

void UnwatchToolWindow(HWND window, HWND tooltip) {
  auto& watches = Watches();
  auto it = watches.find(window);
  if (it == watches.end()) return;
  std::erase(it->second.tooltips, tooltip);
  StopWatching(window);
}

void UnwatchEverythingOf(HWND tooltip) {
  std::vector<HWND> windows;
  for (auto& [window, watch] : Watches())
    if (std::find(watch.tooltips.begin(), watch.tooltips.end(), tooltip) != watch.tooltips.end())
      windows.push_back(window);
  for (HWND window : windows) UnwatchToolWindow(window, tooltip);
}

}  // namespace quorla
