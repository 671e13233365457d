#pragma once
// What the two bars share as windows: their class, creation, double-buffered
// painting and the mouse messages, which go to BarMouse.
#include <vector>

#include "afx/dc.h"
#include "afx/wnd.h"
#include "bar_mouse.h"
#include "bar_tool_tips.h"

class CBarWnd : public CWnd {
 public:
  // A child of parent titled `title`: child, visible, clipping siblings and
  // children, at an empty rectangle, control identifier 0, in a class with
  // horizontal and vertical redraw, the arrow cursor and a white background.
  BOOL CreateBar(CWnd* parent, LPCWSTR title);

  // The owner's tooltip control (null: none); set it before adding buttons.
  void SetToolTips(CWnd* toolTips) { toolTips_.SetControl(toolTips); }

 protected:
  CBarWnd() : mouse_(*this) {}

  // The buttons in hit-test order, for the mouse rules.
  virtual BarMouse::Buttons HitButtons() = 0;
  // Draws the whole bar into dc, the size of the client area.
  virtual void DrawBar(CDC& dc, const CRect& client) = 0;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* window);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  BarMouse mouse_;
  BarToolTips toolTips_;
};
