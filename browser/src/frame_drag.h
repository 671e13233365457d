#pragma once
// Sizing the main window by its edges: while the left button is held on an
// edge or a corner, the window keeps the capture and an outline on the
// screen shows the size it will take; the window takes it when the button
// comes up.
#include "frame_geometry.h"
#include "win/types.h"

class FrameDrag {
 public:
  // Starts a drag from a sizing zone: takes the capture for the window and
  // outlines the window's rectangle. False, and nothing done, for a zone
  // that does not size.
  bool Begin(HWND window, int code);
  // The pointer is at a screen point: while the drag holds the capture, the
  // outline moves to the rectangle the zone's edges give there.
  void Track(POINT screen);
  // The button came up: the drag ends before the capture is released (so
  // the capture's change is no loss), the outline is erased once, and the
  // window takes the rectangle.
  void Finish();
  // The capture was taken away during the drag (a menu, a pop-up): the
  // outline is erased once and the window keeps its size.
  void Abandon();

  bool active() const { return active_; }
  // The zone the drag started from.
  int code() const { return code_; }
  const RECT& rect() const { return rect_; }

 private:
  void Outline(const RECT* next, const RECT* last);

  HWND window_ = nullptr;
  int code_ = kHitClient;
  RECT rect_{};
  bool active_ = false;
};
