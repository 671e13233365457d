#include "sfwnd/button_state4.h"

#include "sfwnd/sf_wnd_mgr_interface.h"

int CButtonState4::CurrentFrame() const {
  if (!(m_style & SFWS_ENABLED)) return kFrameDisabled;
  if (m_hover && m_pressed) return kFramePressed;
  if (m_hover) return kFrameHover;
  return kFrameNormal;
}

void CButtonState4::Draw(HDC dc, const RECT* area) {
  if (!m_bitmap || !dc || !area) return;
  m_bitmap->Draw(dc, 0, 0, CurrentFrame());
}

int CButtonState4::OnMouseEnter(const POINT*) {
  if (!m_hover) {
    m_hover = true;
    Redraw();
  }
  return 0;
}

int CButtonState4::OnMouseLeave() {
  if (m_hover) {
    m_hover = false;
    Redraw();
  }
  return 0;
}

int CButtonState4::OnLButtonDown(const POINT*) {
  if (!m_pressed) {
    m_pressed = true;
    Redraw();
    if (m_manager) m_manager->SetCaptureWnd(this);
  }
  return 1;
}

int CButtonState4::OnLButtonUp(const POINT*) {
  if (m_pressed && m_manager) m_manager->ReleaseCaptureWnd(this);
  return 1;
}

int CButtonState4::OnCaptureLost() {
  if (m_pressed) {
    m_pressed = false;
    Redraw();
    if (m_hover && m_manager) m_manager->SendCommand(this, SFN_CLICKED, static_cast<UINT>(m_id));
  }
  return 0;
}
