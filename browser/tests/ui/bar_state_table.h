#pragma once
// The mouse rules both bars share, as one table run against any bar: three
// buttons side by side, a free stretch of bar after them, and the host
// around the bar.
#include "afx/afxwin.h"

namespace ui_test {

class BarDriver {
 public:
  virtual ~BarDriver() = default;
  virtual CWnd& Bar() = 0;
  // Button 0 to 2, left to right.
  virtual CRect ButtonRect(int index) = 0;
  virtual int State(int index) = 0;
  virtual int CommandOf(int index) = 0;
  // What the owner does: EnableButton, or the state set directly.
  virtual void Enable(int index, bool enable) = 0;
  // A point of the bar on no button.
  virtual CPoint FreePoint() = 0;
};

// Runs every case of the table against the bar; the host records the
// commands.
void RunBarStateTable(BarDriver& bar, class CHostWnd& host);

}  // namespace ui_test
