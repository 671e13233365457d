#pragma once
// What the tests of the browser's controls share: a shown top-level window
// that records what its children post to it, a pump that runs the
// framework's pre-translation step as the program's loop does, and pointer
// gestures in a window's client coordinates.
#include <vector>

#include "afx/afxwin.h"

namespace ui_test {

struct Posted {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A pop-up at (100, 100), 600 x 300 unless told otherwise, shown: the host
// of the controls. Records WM_COMMAND and the browser's private messages it
// receives.
class CHostWnd : public CWnd {
 public:
  explicit CHostWnd(const CRect& rect = CRect(100, 100, 700, 400));
  ~CHostWnd() override;

  std::vector<Posted> posted;
  // The identifiers of the WM_COMMAND messages received, in order.
  std::vector<int> Commands() const;
  // How many times message arrived.
  int Count(UINT message) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Dispatches until the queue is empty, offering each message to the
// framework's pre-translation first.
void Pump();

// Pointer gestures at (x, y) of window's client area. `held`: the left
// button is down during the move.
void MoveTo(CWnd& window, int x, int y, bool held = false);
void PressAt(CWnd& window, int x, int y);
void ReleaseAt(CWnd& window, int x, int y);
// Press and release at one point.
void ClickAt(CWnd& window, int x, int y);
// The pointer leaves the host for no window of the program.
void LeaveHost(CWnd& window);

}  // namespace ui_test
