#include "address_edit.h"

BEGIN_MESSAGE_MAP(CAddressEdit, CHintEdit)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// The default handling focuses the box and places the caret at the click;
// the selection of everything comes after it, so the caret does not undo it.
void CAddressEdit::OnLButtonDown(UINT, CPoint) {
  const bool hadFocus = ::GetFocus() == m_hWnd;
  Default();
  if (hadFocus) return;
  SetSel(0, -1);
  SendMessage(EM_SCROLLCARET);
  showsHint_ = FALSE;
}
