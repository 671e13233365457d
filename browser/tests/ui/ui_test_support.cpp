#include "ui_test_support.h"

#include "pointer_input.h"
#include "win/input.h"

namespace ui_test {
namespace {

// The framework's pre-translation runs in the tests' loop as in the
// program's.
struct FilterInstaller {
  FilterInstaller() { quorla_test::SetMessageFilter(&AfxPreTranslateMessage); }
};

void InstallFilter() { static FilterInstaller installed; }

}  // namespace

CHostWnd::CHostWnd(const CRect& rect) {
  InstallFilter();
  LPCWSTR className = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  CreateEx(0, className, u"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0);
  Pump();
}

CHostWnd::~CHostWnd() {
  if (m_hWnd) DestroyWindow();
  Pump();
}

std::vector<int> CHostWnd::Commands() const {
  std::vector<int> ids;
  for (const Posted& p : posted)
    if (p.message == WM_COMMAND) ids.push_back(static_cast<int>(LOWORD(p.wParam)));
  return ids;
}

int CHostWnd::Count(UINT message) const {
  int n = 0;
  for (const Posted& p : posted) n += p.message == message;
  return n;
}

LRESULT CHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message >= WM_USER) posted.push_back(Posted{message, wParam, lParam});
  return CWnd::WindowProc(message, wParam, lParam);
}

void Pump() {
  InstallFilter();
  quorla_test::DispatchPending();
}

void MoveTo(CWnd& window, int x, int y, bool held) {
  InstallFilter();
  quorla_test::PointerMove(window.m_hWnd, quorla_test::ScreenPoint(window.m_hWnd, x, y), held);
}

void PressAt(CWnd& window, int x, int y) {
  InstallFilter();
  quorla_test::PointerPress(window.m_hWnd, quorla_test::ScreenPoint(window.m_hWnd, x, y));
}

void ReleaseAt(CWnd& window, int x, int y) {
  InstallFilter();
  quorla_test::PointerRelease(window.m_hWnd, quorla_test::ScreenPoint(window.m_hWnd, x, y));
}

void ClickAt(CWnd& window, int x, int y) {
  PressAt(window, x, y);
  ReleaseAt(window, x, y);
}

void LeaveHost(CWnd& window) {
  InstallFilter();
  quorla_test::PointerLeaves(window.m_hWnd);
}

}  // namespace ui_test
