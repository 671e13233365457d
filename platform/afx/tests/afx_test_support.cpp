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

COLORREF PixelAt(CDC& dc, int x, int y) {
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap one;
  one.CreateCompatibleBitmap(&dc, 1, 1);
  CBitmap* previous = memory.SelectObject(&one);
  memory.BitBlt(0, 0, 1, 1, &dc, x, y, SRCCOPY);
  memory.SelectObject(previous);
  BITMAP description{};
  one.GetBitmap(&description);
  const auto* bits = static_cast<const BYTE*>(description.bmBits);
  return bits ? RGB(bits[2], bits[1], bits[0]) : CLR_INVALID;
}

}  // namespace afx_test
