#pragma once
// CHoverButton: an owner-drawn bitmap button with a hover look and a pressed
// look of its own. Its four faces (a strip through CGetBitmaps::LoadStrip)
// are shown by state: normal, hover, pressed, disabled. It is made like any
// owner-drawn push button and reports clicks with BN_CLICKED.
#include "afx/bitmap_button.h"

class CHoverButton : public CBitmapButton {
 public:
  enum : int { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

  CHoverButton() = default;
  ~CHoverButton() override;

  int GetHoverState() const { return state_; }
  // Only an owner makes a button disabled (3); the button redraws.
  void SetHoverState(int state);

  // A left double click on the button counts as a second press.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Copies the face of the current state; the window text is not drawn.
  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg HBRUSH CtlColor(CDC* dc, UINT kind);
  DECLARE_MESSAGE_MAP()

 private:
  bool Inside(CPoint point) const;
  void RedrawNow();

  int state_ = kNormal;
};
