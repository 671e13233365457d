#include "afx_test_support.h"

namespace afx_test {
namespace {

LRESULT RawProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ReachedClassProcedure().push_back(Reached{hwnd, message, wParam, lParam});
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return kDefaultBrushAnswer;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

std::vector<Reached>& ReachedClassProcedure() {
  static std::vector<Reached> reached;
  return reached;
}

LPCWSTR RawClass() {
  static bool registered = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RawProcedure;
    wc.lpszClassName = u"AfxTestRaw";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  return u"AfxTestRaw";
}

std::vector<UINT> MessagesReaching(HWND hwnd) {
  std::vector<UINT> out;
  for (const Reached& r : ReachedClassProcedure())
    if (r.hwnd == hwnd) out.push_back(r.message);
  return out;
}

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace afx_test
