#include "frame_defaults.h"

#include "window_icons.h"
#include "window_menu.h"
#include "win/input.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
  RECT rect{};
  if (!GetWindowRect(hwnd, &rect)) return HTNOWHERE;
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom ? HTCLIENT : HTNOWHERE;
}

void CaptionDoubleClick(HWND hwnd) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  if (style & WS_MAXIMIZE) SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  else if ((style & WS_MAXIMIZEBOX) && !(style & WS_CHILD)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

constexpr LPARAM kAltDown = LPARAM{1} << 29;

}  // namespace

bool HandleFrameByDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_NCHITTEST:
      *result = HitTest(hwnd, lParam);
      return true;
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCAPTION && !IsZoomed(hwnd)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      return true;
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION) CaptionDoubleClick(hwnd);
      return true;
    case WM_NCRBUTTONUP:
      if (wParam == HTCAPTION) ShowWindowMenu(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return true;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & kAltDown)) {
        if (HWND top = TopLevelWindowOf(hwnd)) SendMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return true;
    case WM_SETICON:
      *result = reinterpret_cast<LRESULT>(SetWindowIcon(hwnd, wParam, reinterpret_cast<HICON>(lParam)));
      return true;
    case WM_GETICON:
      *result = reinterpret_cast<LRESULT>(WindowIcon(hwnd, wParam));
      return true;
    default:
      return false;
  }
}

HCURSOR DefaultCursorFor(int hitCode, HCURSOR classCursor) {
  switch (hitCode) {
    case HTCLIENT:
      return classCursor ? classCursor : LoadCursorW(nullptr, IDC_ARROW);
    case HTLEFT:
    case HTRIGHT:
      return LoadCursorW(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM:
      return LoadCursorW(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return LoadCursorW(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return LoadCursorW(nullptr, IDC_SIZENESW);
    default:
      return LoadCursorW(nullptr, IDC_ARROW);
  }
}

}  // namespace quorla
