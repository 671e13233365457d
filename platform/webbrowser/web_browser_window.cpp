#include "web_browser_window.h"

#include <QCoreApplication>
#include <QThread>

#include "qt_application.h"
#include "web_browser_control.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

constexpr const WCHAR* kClassName = u"QuorlaWebBrowser";

LRESULT CALLBACK WebBrowserProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<WebBrowserControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the engine's view covers it all
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // A press anywhere in a page gives the page the keys, as in any
      // browser, whether or not it lands on a field.
      if (GetFocus() != hwnd) SetFocus(hwnd);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (control) control->WindowGone();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
      break;
  }
  const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
  if (control && (message == WM_SIZE || message == WM_MOVE || message == WM_SHOWWINDOW ||
                  message == WM_WINDOWPOSCHANGED))
    control->PlaceView();
  return result;
}

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WebBrowserProcedure;
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND CreateWebBrowserWindow(HWND parent, DWORD style, const RECT& rect, UINT id, WebBrowserControl* control) {
  RegisterOnce();
  HWND hwnd = CreateWindowExW(0, kClassName, u"", (style | WS_CHILD) & ~WS_VISIBLE, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  if (!hwnd) return nullptr;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOWNA);
  return hwnd;
}

}  // namespace quorla

WINAPI_EXPORT HRESULT CreateWebBrowserControl(HWND parent, DWORD style, const RECT* rect, UINT id, HWND* window,
                                              IWebBrowser2** browser) {
  if (window) *window = nullptr;
  if (browser) *browser = nullptr;
  if (!parent || !rect || !window || !browser) return E_INVALIDARG;
  quorla::EnsureQtApplication();
  if (QThread::currentThread() != QCoreApplication::instance()->thread()) return E_FAIL;
  quorla::WebBrowserControl* control = quorla::WebBrowserControl::Create(parent, style, *rect, id);
  if (!control) return E_FAIL;
  *window = control->Window();
  *browser = control;
  return S_OK;
}
