#include "hint_edit.h"

BEGIN_MESSAGE_MAP(CHintEdit, CEdit)
  ON_WM_CREATE()
  ON_CONTROL_REFLECT_EX(EN_KILLFOCUS, OnKillFocusReflect)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr BYTE kSwissFamily = 0x20;  // FF_SWISS, default pitch

}  // namespace

CHintEdit::CHintEdit(LPCWSTR fontFace, int fontHeight) : fontFace_(fontFace), fontHeight_(fontHeight) {}

CHintEdit::~CHintEdit() {
  // The window goes before the font it still holds.
  if (m_hWnd) DestroyWindow();
}

int CHintEdit::OnCreate(LPCREATESTRUCT create) {
  if (CEdit::OnCreate(create) == -1) return -1;
  font_.CreateFont(fontHeight_, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, kSwissFamily, fontFace_);
  SetFont(&font_, FALSE);
  return 0;
}

void CHintEdit::SetHintText(LPCWSTR text) {
  if (::GetFocus() == m_hWnd) return;
  hintText_ = text;
  SetWindowText(hintText_);
  showsHint_ = TRUE;
}

// Blanks are the user's text; only nothing, or the hint itself typed in any
// case, reads as the hint. The parent hears of the focus leaving too.
BOOL CHintEdit::OnKillFocusReflect() {
  CString text;
  GetWindowText(text);
  if (!text.IsEmpty() && text.CompareNoCase(hintText_) != 0) {
    showsHint_ = FALSE;
  } else {
    SetWindowText(hintText_);
    showsHint_ = TRUE;
  }
  return FALSE;
}

void CHintEdit::OnLButtonDown(UINT, CPoint) {
  const bool hadFocus = ::GetFocus() == m_hWnd;
  Default();
  if (hadFocus) return;
  CString text;
  GetWindowText(text);
  if (text.CompareNoCase(hintText_) == 0) SetWindowText(u"");
  showsHint_ = FALSE;
}
