#pragma once
// Helpers shared by the framework's tests: a window class whose procedure
// records what reaches it (the default handling the framework falls back
// to), and a loop that runs until nothing is left to do.
#include <vector>

#include "afx/afxwin.h"

namespace afx_test {

struct Reached {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message the class procedure of "AfxTestRaw" got, in order. The
// procedure answers WM_CTLCOLOR* with kDefaultBrushAnswer and everything
// else as DefWindowProcW does.
std::vector<Reached>& ReachedClassProcedure();
constexpr LRESULT kDefaultBrushAnswer = 0x5151;
LPCWSTR RawClass();

// Messages of one window that reached the class procedure.
std::vector<UINT> MessagesReaching(HWND hwnd);

// Dispatches until the queue holds nothing (WM_PAINT and due timers included).
void Drain();

// One pixel of whatever the DC draws on, read through a memory copy.
COLORREF PixelAt(CDC& dc, int x, int y);

}  // namespace afx_test
