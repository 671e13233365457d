#pragma once
// A window class for tests that records every message its windows get and
// lets a test answer chosen messages itself.
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "win/dc.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/painting.h"
#include "win/timers.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "window_pixels.h"

namespace quorla_test {

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// One per test: the recording procedure writes into the current one.
class WindowLog {
 public:
  WindowLog();
  ~WindowLog();

  std::vector<Seen> seen;
  // Handlers by message; a message without one goes to DefWindowProcW.
  std::map<UINT, Handler> handlers;

  // The messages of one window, in order, restricted to those listed (all
  // when the list is empty).
  std::vector<UINT> MessagesOf(HWND hwnd, std::vector<UINT> only = {}) const;
  std::vector<Seen> Of(HWND hwnd, UINT message) const;
  void Clear() { seen.clear(); }
};

// Registers the classes once: "QuorlaTestWindow" (white background, arrow
// cursor), "QuorlaTestDblClk" (the same with CS_DBLCLKS).
void RegisterTestClasses();

HWND MakeTopLevel(DWORD style, int x, int y, int w, int h, LPCWSTR className = u"QuorlaTestWindow",
                  DWORD exStyle = 0);
HWND MakeChild(HWND parent, DWORD style, int x, int y, int w, int h, LPCWSTR className = u"QuorlaTestWindow");

// Fills a window's client area through GetDC with a colour.
void FillWindow(HWND hwnd, COLORREF color, const RECT* area = nullptr);

// Takes and dispatches messages until none is left (WM_PAINT included).
void DrainMessages();

// A rectangle's edges in one value, for comparing and printing whole.
using Edges = std::array<LONG, 4>;
inline Edges EdgesOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Edges WindowEdges(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return EdgesOf(r);
}
inline Edges ClientEdges(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return EdgesOf(r);
}

}  // namespace quorla_test
