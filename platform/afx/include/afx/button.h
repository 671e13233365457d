#pragma once
// CButton: the layer's "Button" control (win/buttons.h). An owner-drawn
// button (BS_OWNERDRAW) draws itself: its parent's WM_DRAWITEM comes back
// to the button object's DrawItem (reflection), whatever the parent's own
// map says.
#include "afx/wnd.h"
#include "win/buttons.h"

class CButton : public CWnd {
 public:
  // A child button with the identifier id.
  BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // BST_PUSHED, BST_FOCUS and BST_CHECKED.
  UINT GetState() const;
  // BST_CHECKED or BST_UNCHECKED.
  int GetCheck() const;
  void SetCheck(int check);
  // Highlights (TRUE) or clears the highlight; the button redraws.
  void SetState(BOOL highlight);
  // The BS_* bits of the window style.
  UINT GetButtonStyle() const;
  // Replaces the BS_* bits, keeping the window's other style bits.
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);

  // Draws an owner-drawn button; nothing here.
  virtual void DrawItem(LPDRAWITEMSTRUCT item);

  DECLARE_MESSAGE_MAP()
};
