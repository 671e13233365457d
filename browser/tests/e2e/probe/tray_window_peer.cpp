// Stands in for the tray program's window without its mutex, so the browser
// beside it runs its own price checks: a hidden window of the tray's class
// that prints the number of every message the browser tells it, one a line.
// Prints "ready" once the window exists.
#include <cstdio>

#include "vxshared/tray_program.h"
#include "win/messages.h"
#include "win/modules.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_styles.h"

namespace {

LRESULT CALLBACK PeerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PRICE_SETTINGS_CHANGED || message == WM_WATCHLIST_CHANGED) {
    std::printf("%u\n", message);
    std::fflush(stdout);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PeerProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kTrayWindowClass;
  if (!RegisterClassW(&wc)) return 2;
  if (!CreateWindowExW(0, kTrayWindowClass, u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr))
    return 3;
  std::printf("ready\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
