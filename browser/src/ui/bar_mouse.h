#pragma once
// The mouse rules both bars follow: which button is under the pointer and
// which is held down, the capture during a press, and the click, posted as
// WM_COMMAND with the button's command to the bar's parent when the left
// button goes down and up on the same button.
//
// A disabled button (state 3) is left alone by the mouse: no move, leave or
// release changes its state, a press on it does nothing, and a button that
// became disabled while held down posts nothing at its release. Only the
// bar's owner takes a button out of state 3.
#include <vector>

#include "bar_button.h"

class CWnd;

class BarMouse {
 public:
  // The bar's window, and its buttons in the order of hit-testing.
  using Buttons = std::vector<BarButton*>;
  explicit BarMouse(CWnd& bar) : bar_(bar) {}

  // Each returns whether a state changed, so the bar repaints.
  bool Move(const Buttons& buttons, CPoint point);
  bool Leave();
  bool Press(const Buttons& buttons, CPoint point);
  bool Release(const Buttons& buttons, CPoint point);
  // The capture went elsewhere while a button was held: the press ends
  // without a click.
  bool CaptureLost();
 private:
  static BarButton* HitTest(const Buttons& buttons, CPoint point);
  bool HoldsCapture() const;

  CWnd& bar_;
  BarButton* pressed_ = nullptr;
  BarButton* hovered_ = nullptr;
};
