// A program with a hidden window and a notification-area icon (icon
// resource 1 at the small-icon size, uID 100, callback message 11024) that
// writes one line per callback to a log: "<uID> <lParam>". Its first line
// says whether adding the icon worked: "added", or "add-failed <error>",
// after which it ends with status 3. It runs the layer's message loop
// until WM_QUIT.
//
//   tray_icon_probe --log <file> [--wait-ms <milliseconds>]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "win/icons.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/notify_icon.h"
#include "win/system_metrics.h"
#include "win/window_classes.h"
#include "win/window_objects.h"

namespace {

constexpr UINT kCallback = WM_USER + 10000;
constexpr UINT kIconId = 100;
std::string g_log;

void Note(const std::string& line) {
  if (std::FILE* f = std::fopen(g_log.c_str(), "a")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallback) {
    Note(std::to_string(wParam) + " " + std::to_string(lParam));
    return 0;
  }
  if (message == WM_DESTROY) {
    NOTIFYICONDATAW data{};
    data.cbSize = 956;
    data.hWnd = hwnd;
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--log") == 0) g_log = argv[i + 1];
    if (std::strcmp(argv[i], "--wait-ms") == 0) quorla::SetNotificationAreaWait(std::strtoul(argv[i + 1], nullptr, 10));
  }
  if (g_log.empty()) {
    std::fprintf(stderr, "usage: tray_icon_probe --log <file> [--wait-ms <milliseconds>]\n");
    return 2;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = ProbeProc;
  wc.lpszClassName = u"QuorlaTrayIconProbe";
  if (!RegisterClassW(&wc)) return 4;
  HWND window = CreateWindowExW(0, u"QuorlaTrayIconProbe", u"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (!window) return 4;

  NOTIFYICONDATAW data{};
  data.cbSize = 956;
  data.hWnd = window;
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallback;
  data.hIcon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  std::u16string tip = u"Quorla 探针";
  tip.copy(data.szTip, tip.size());
  if (!data.hIcon) Note("no-icon " + std::to_string(GetLastError()));
  if (!Shell_NotifyIconW(NIM_ADD, &data)) {
    Note("add-failed " + std::to_string(GetLastError()));
    return 3;
  }
  Note("added");

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
