#include "window_test_support.h"

#include "win/blit.h"
#include "win/dib.h"

namespace quorla_test {
namespace {

WindowLog* g_log = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_log) return DefWindowProcW(hwnd, message, wParam, lParam);
  g_log->seen.push_back(Seen{hwnd, message, wParam, lParam});
  auto it = g_log->handlers.find(message);
  if (it != g_log->handlers.end()) return it->second(hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

WindowLog::WindowLog() { g_log = this; }
WindowLog::~WindowLog() { g_log = nullptr; }

std::vector<UINT> WindowLog::MessagesOf(HWND hwnd, std::vector<UINT> only) const {
  std::vector<UINT> out;
  for (const Seen& s : seen) {
    if (s.hwnd != hwnd) continue;
    if (!only.empty() && std::find(only.begin(), only.end(), s.message) == only.end()) continue;
    out.push_back(s.message);
  }
  return out;
}

std::vector<Seen> WindowLog::Of(HWND hwnd, UINT message) const {
  std::vector<Seen> out;
  for (const Seen& s : seen)
    if (s.hwnd == hwnd && s.message == message) out.push_back(s);
  return out;
}

void RegisterTestClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RecordingProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = u"QuorlaTestWindow";
  RegisterClassExW(&wc);
  wc.style = CS_DBLCLKS;
  wc.lpszClassName = u"QuorlaTestDblClk";
  RegisterClassExW(&wc);
}

HWND MakeTopLevel(DWORD style, int x, int y, int w, int h, LPCWSTR className, DWORD exStyle) {
  RegisterTestClasses();
  return CreateWindowExW(exStyle, className, u"test", style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
}

HWND MakeChild(HWND parent, DWORD style, int x, int y, int w, int h, LPCWSTR className) {
  RegisterTestClasses();
  return CreateWindowExW(0, className, u"", style | WS_CHILD, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

void FillWindow(HWND hwnd, COLORREF color, const RECT* area) {
  HDC dc = GetDC(hwnd);
  RECT r;
  if (area) r = *area;
  else GetClientRect(hwnd, &r);
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  ReleaseDC(hwnd, dc);
}

void DrainMessages() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace quorla_test
