#include "frame_drag.h"

#include "afx/window_dcs.h"
#include "win/input.h"
#include "win/window_state.h"

namespace {

// The outline's width on each side.
const SIZE kOutline{2, 2};

}  // namespace

bool FrameDrag::Begin(HWND window, int code) {
  if (!IsSizingZone(code)) return false;
  if (active_) Abandon();
  window_ = window;
  code_ = code;
  active_ = true;
  ::SetCapture(window);
  ::GetWindowRect(window, &rect_);
  Outline(&rect_, nullptr);
  return true;
}

void FrameDrag::Track(POINT screen) {
  if (!active_ || ::GetCapture() != window_) return;
  RECT window{};
  ::GetWindowRect(window_, &window);
  const RECT next = DraggedFrame(window, code_, screen);
  Outline(&next, &rect_);
  rect_ = next;
}

void FrameDrag::Finish() {
  if (!active_) return;
  active_ = false;
  if (::GetCapture() == window_) ::ReleaseCapture();
  Outline(nullptr, &rect_);
  ::SetWindowPos(window_, nullptr, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
}

void FrameDrag::Abandon() {
  if (!active_) return;
  active_ = false;
  Outline(nullptr, &rect_);
}

void FrameDrag::Outline(const RECT* next, const RECT* last) {
  CWindowDC screen(nullptr);
  screen.DrawDragRect(next, kOutline, last, kOutline);
}
