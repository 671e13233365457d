// An overlapped window of default place and size, shown as the browser's
// main window is: icon resource 1 as its big and small icon, the caption
// dropped in WM_CREATE, the top 24 rows answering HTCAPTION, filled green.
// It writes to its log "shown <left> <top> <right> <bottom>" once it is on
// screen, then "syscommand <hex>", "size <kind> <cx> <cy> <zoomed>" and
// "client-press" as they arrive, and ends with status 1 on WM_CLOSE.
// Other processes ask things of it by posting kRequest (wParam below):
//   1 minimise; 2 restore as the browser does on a second start (post
//   SC_RESTORE when minimised, then BringWindowToTop); 3 give it a caption;
//   4 take the caption away again.
//
//   frame_probe --log <file>
//   frame_probe --request <n>     posts request n to the running probe
//   frame_probe --cover <x> <y> <w> <h>
//                                 a blue pop-up there, on top and active
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "win/icons.h"
#include "win/input.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/painting.h"
#include "win/system_metrics.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

constexpr LPCWSTR kProbeClass = u"QuorlaFrameProbe";
constexpr UINT kRequest = WM_APP + 7;
constexpr int kCaptionRows = 24;
std::string g_log;

void Note(const std::string& line) {
  if (std::FILE* f = std::fopen(g_log.c_str(), "a")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

std::string Hex(WPARAM value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(value));
  return text;
}

void SetCaption(HWND hwnd, bool on) {
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(on ? style | WS_CAPTION : style & ~WS_CAPTION));
}

void Answer(HWND hwnd, WPARAM request) {
  switch (request) {
    case 1:
      ShowWindow(hwnd, SW_MINIMIZE);
      break;
    case 2:
      if (IsIconic(hwnd)) PostMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
      BringWindowToTop(hwnd);
      break;
    case 3:
      SetCaption(hwnd, true);
      break;
    case 4:
      SetCaption(hwnd, false);
      break;
  }
  Note("request " + std::to_string(request));
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      for (auto [kind, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
        HICON icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        if (!icon) Note("no-icon");
        SendMessageW(hwnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
      }
      SetCaption(hwnd, false);
      return 0;
    }
    case WM_NCHITTEST: {
      LRESULT code = DefWindowProcW(hwnd, message, wParam, lParam);
      RECT rect{};
      GetWindowRect(hwnd, &rect);
      return code == HTCLIENT && GET_Y_LPARAM(lParam) < rect.top + kCaptionRows ? HTCAPTION : code;
    }
    case WM_SYSCOMMAND:
      Note("syscommand " + Hex(wParam));
      break;
    case WM_SIZE:
      Note("size " + std::to_string(wParam) + " " + std::to_string(LOWORD(lParam)) + " " +
           std::to_string(HIWORD(lParam)) + " " + (IsZoomed(hwnd) ? "1" : "0"));
      return 0;
    case WM_LBUTTONDOWN:
      Note("client-press");
      return 0;
    case kRequest:
      Answer(hwnd, wParam);
      return 0;
    case WM_CLOSE:
      Note("close");
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(1);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int RunLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int Cover(int x, int y, int w, int h) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
  wc.lpszClassName = u"QuorlaFrameProbeCover";
  if (!RegisterClassW(&wc)) return 4;
  HWND cover = CreateWindowExW(0, wc.lpszClassName, u"", WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  if (!cover) return 4;
  ShowWindow(cover, SW_SHOW);
  UpdateWindow(cover);
  return RunLoop();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--request") == 0) {
    HWND probe = FindWindowW(kProbeClass, nullptr);
    if (!probe) return 3;
    return PostMessageW(probe, kRequest, std::strtoul(argv[2], nullptr, 10), 0) ? 0 : 4;
  }
  if (argc == 6 && std::strcmp(argv[1], "--cover") == 0)
    return Cover(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  if (argc == 3 && std::strcmp(argv[1], "--log") == 0) g_log = argv[2];
  if (g_log.empty()) {
    std::fprintf(stderr, "usage: frame_probe --log <file> | --request <n> | --cover <x> <y> <w> <h>\n");
    return 2;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = ProbeProc;
  wc.hbrBackground = CreateSolidBrush(RGB(0, 255, 0));
  wc.lpszClassName = kProbeClass;
  if (!RegisterClassW(&wc)) return 4;
  HWND window = CreateWindowExW(0, kProbeClass, u"frame probe", WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, nullptr, nullptr);
  if (!window) return 4;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  RECT placed{};
  GetWindowRect(window, &placed);
  Note("shown " + std::to_string(placed.left) + " " + std::to_string(placed.top) + " " + std::to_string(placed.right) +
       " " + std::to_string(placed.bottom));
  return RunLoop();
}
