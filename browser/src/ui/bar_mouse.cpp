#include "bar_mouse.h"

#include "afx/wnd.h"
#include "win/mouse_tracking.h"

namespace {

// Moves a button to a state, unless it is disabled; whether it changed.
bool SetState(BarButton* button, int state) {
  if (!button || button->state == kBarStateDisabled || button->state == state) return false;
  button->state = state;
  return true;
}

}  // namespace

BarButton* BarMouse::HitTest(const Buttons& buttons, CPoint point) {
  for (BarButton* button : buttons)
    if (button->rect.PtInRect(point)) return button;
  return nullptr;
}

bool BarMouse::HoldsCapture() const { return bar_.m_hWnd && CWnd::GetCapture() == &bar_; }

bool BarMouse::Move(const Buttons& buttons, CPoint point) {
  TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_LEAVE, bar_.m_hWnd, 0};
  TrackMouseEvent(&request);
  BarButton* hit = HitTest(buttons, point);
  bool changed = false;
  if (HoldsCapture()) {
    if (pressed_) changed = SetState(pressed_, hit == pressed_ ? kBarStatePressed : kBarStateNormal);
    return changed;
  }
  if (hovered_ && hovered_ != hit) {
    changed |= SetState(hovered_, kBarStateNormal);
    hovered_ = nullptr;
  }
  if (hit && hit->state != kBarStateHover && hit->state != kBarStateDisabled) {
    hit->state = kBarStateHover;
    hovered_ = hit;
    changed = true;
  }
  return changed;
}

bool BarMouse::Leave() {
  bool changed = false;
  if (HoldsCapture()) changed |= SetState(pressed_, kBarStateNormal);
  changed |= SetState(hovered_, kBarStateNormal);
  hovered_ = nullptr;
  return changed;
}

bool BarMouse::Press(const Buttons& buttons, CPoint point) {
  BarButton* hit = HitTest(buttons, point);
  if (!hit || hit->state == kBarStateDisabled) return false;
  hovered_ = nullptr;
  pressed_ = hit;
  bar_.SetCapture();
  hit->state = kBarStatePressed;
  return true;
}

bool BarMouse::Release(const Buttons& buttons, CPoint point) {
  if (!HoldsCapture()) return false;
  BarButton* pressed = pressed_;
  pressed_ = nullptr;
  ReleaseCapture();  // the press is over already: no capture-lost rule runs
  BarButton* hit = HitTest(buttons, point);
  bool changed = false;
  if (pressed && hit == pressed) {
    if (pressed->state != kBarStateDisabled) {
      // The parent may act at once (even destroy the bar): post, never send.
      CWnd* parent = bar_.GetParent();
      if (parent) parent->PostMessage(WM_COMMAND, static_cast<WPARAM>(pressed->id), 0);
      changed |= SetState(pressed, kBarStateNormal);
    }
  } else {
    // Released elsewhere: the press ends without a click.
    if (pressed && pressed->state == kBarStatePressed) changed |= SetState(pressed, kBarStateNormal);
    if (hit && hit->state != kBarStateDisabled) {
      changed |= SetState(hit, kBarStateNormal);
      hovered_ = hit;
    }
  }
  return changed;
}

bool BarMouse::CaptureLost() {
  if (!pressed_) return false;
  BarButton* pressed = pressed_;
  pressed_ = nullptr;
  return SetState(pressed, kBarStateNormal);
}
