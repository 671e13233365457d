#pragma once
// CEdit: the layer's "Edit" control (win/edit.h) as a window object. Its
// notifications (EN_CHANGE, EN_SETFOCUS, EN_KILLFOCUS) reach the parent's
// map as WM_COMMAND and come back first to the control's own reflection
// entries (ON_CONTROL_REFLECT). Text and font are the window's own
// (SetWindowText, GetWindowText, SetFont).
#include "afx/wnd.h"
#include "win/edit.h"

class CEdit : public CWnd {
 public:
  // A child edit control with the identifier id.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Selects from start to end (end -1: to the end of the text; start -1:
  // no selection); the caret goes to end. noScroll is taken as the
  // platform takes it, with no effect of its own here.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  // The selection as MAKELONG(start, end), start never after end.
  DWORD GetSel() const;
  void GetSel(int& start, int& end) const;
  // Puts text in place of the selection.
  void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE);
};
