#pragma once
// The tool tips of a bar's buttons: one tool per button on the owner's
// tooltip control, named by the bar's window and the button's command, with
// the text of the program's string of that command (empty when there is
// none) and the button's rectangle.
#include "afx/wnd.h"

class BarToolTips {
 public:
  // A null control: no tool tips.
  void SetControl(CWnd* control) { control_ = control; }
  CWnd* control() const { return control_; }

  void Add(CWnd& bar, int id, const RECT& rect);
  void Remove(CWnd& bar, int id);
  void Move(CWnd& bar, int id, const RECT& rect);

 private:
  CWnd* control_ = nullptr;
};

// The program's string `id`; empty when there is none.
CString LoadUiString(UINT id);
