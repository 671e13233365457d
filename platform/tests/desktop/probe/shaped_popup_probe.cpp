// A 397 x 317 white pop-up shaped as the price notice is (rounded corners
// of 7 x 7 and a single pixel cut next to each corner), placed 5 pixels from
// the work area's right and bottom edges. It writes "shown <left> <top>
// <right> <bottom>" once it is on screen, then "down <x> <y>" for every left
// press that reaches it (client coordinates), and runs the layer's loop
// until WM_QUIT.
//
//   shaped_popup_probe --log <file>
#include <cstdio>
#include <cstring>
#include <string>

#include "win/messages.h"
#include "win/painting.h"
#include "win/regions.h"
#include "win/system_metrics.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

std::string g_log;

void Note(const std::string& line) {
  if (std::FILE* f = std::fopen(g_log.c_str(), "a")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

void Shape(HWND hwnd, int w, int h) {
  HRGN shape = CreateRoundRectRgn(0, 0, w + 1, h + 1, 7, 7);
  const POINT cuts[] = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
  for (POINT p : cuts) {
    HRGN pixel = CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1);
    CombineRgn(shape, shape, pixel, RGN_DIFF);
    DeleteObject(pixel);
  }
  SetWindowRgn(hwnd, shape, TRUE);
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Shape(hwnd, static_cast<WORD>(lParam), static_cast<WORD>(lParam >> 16));
      return 0;
    case WM_LBUTTONDOWN:
      Note("down " + std::to_string(static_cast<short>(lParam)) + " " + std::to_string(static_cast<short>(lParam >> 16)));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2)
    if (std::strcmp(argv[i], "--log") == 0) g_log = argv[i + 1];
  if (g_log.empty()) {
    std::fprintf(stderr, "usage: shaped_popup_probe --log <file>\n");
    return 2;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = PopupProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = u"QuorlaShapedPopupProbe";
  if (!RegisterClassW(&wc)) return 4;
  HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, u"QuorlaShapedPopupProbe", u"", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, nullptr, nullptr);
  if (!popup) return 4;
  const int w = 397, h = 317;
  SetWindowPos(popup, nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT work{};
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    SetWindowPos(popup, nullptr, work.right - 5 - w, work.bottom - 5 - h, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(popup, SW_SHOW);
  UpdateWindow(popup);
  RECT placed{};
  GetWindowRect(popup, &placed);
  Note("shown " + std::to_string(placed.left) + " " + std::to_string(placed.top) + " " + std::to_string(placed.right) +
       " " + std::to_string(placed.bottom));

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
