#include "hover_button.h"

#include "afx/dc.h"
#include "win/gdi_objects.h"
#include "win/mouse_tracking.h"

BEGIN_MESSAGE_MAP(CHoverButton, CBitmapButton)
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CHoverButton::~CHoverButton() {
  if (m_hWnd) DestroyWindow();
}

void CHoverButton::SetHoverState(int state) {
  if (state == state_) return;
  state_ = state;
  if (m_hWnd) RedrawNow();
}

bool CHoverButton::Inside(CPoint point) const {
  CRect client;
  GetClientRect(&client);
  return client.PtInRect(point) != FALSE;
}

void CHoverButton::RedrawNow() {
  Invalidate(TRUE);
  UpdateWindow();
}

void CHoverButton::OnMouseMove(UINT, CPoint point) {
  TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
  TrackMouseEvent(&request);
  Default();
  int next = state_;
  if (Inside(point)) {
    if (state_ == kNormal) next = GetCapture() == this ? kPressed : kHover;
  } else if (state_ != kNormal && state_ != kDisabled) {
    next = kNormal;
  }
  if (next != state_) {
    state_ = next;
    RedrawNow();
  }
}

void CHoverButton::OnMouseLeave() {
  // The pointer left while the button is held: the press itself decides.
  if (GetCapture() == this || state_ == kDisabled) return;
  state_ = kNormal;
  RedrawNow();
}

void CHoverButton::OnLButtonDown(UINT, CPoint) {
  state_ = kPressed;
  SetState(TRUE);
  Default();
}

void CHoverButton::OnLButtonUp(UINT, CPoint point) {
  if (state_ != kDisabled) {
    if (Inside(point)) {
      state_ = kHover;
    } else {
      state_ = kNormal;
      SetState(FALSE);
    }
  }
  Default();
}

// The parent's background shows around the face.
HBRUSH CHoverButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)); }

BOOL CHoverButton::PreTranslateMessage(MSG* msg) {
  if (msg->hwnd == m_hWnd && msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;
  return CBitmapButton::PreTranslateMessage(msg);
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CBitmap* face = state_ == kHover      ? &m_bitmapSel
                  : state_ == kPressed  ? &m_bitmapFocus
                  : state_ == kDisabled ? &m_bitmapDisabled
                                        : &m_bitmap;
  if (!face->m_hObject) return;
  CDC* target = CDC::FromHandle(item->hDC);
  CDC memory;
  if (!memory.CreateCompatibleDC(target)) return;
  const int saved = target->SaveDC();
  CBitmap* previous = memory.SelectObject(face);
  const RECT& r = item->rcItem;
  target->BitBlt(0, 0, r.right - r.left, r.bottom - r.top, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(previous);
  target->RestoreDC(saved);
}
