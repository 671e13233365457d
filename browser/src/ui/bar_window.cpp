#include "bar_window.h"

#include "afx/window_dcs.h"
#include "buffered_paint.h"
#include "win/gdi_objects.h"
#include "win/input.h"

BEGIN_MESSAGE_MAP(CBarWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CBarWnd::CreateBar(CWnd* parent, LPCWSTR title) {
  LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return CreateEx(0, className, title, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(), parent, 0);
}

void CBarWnd::OnPaint() {
  CPaintDC screen(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  PaintBuffered(screen, client, [&](CDC& memory) { DrawBar(memory, client); });
}

// The paint covers every pixel.
BOOL CBarWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CBarWnd::OnMouseMove(UINT, CPoint point) {
  if (mouse_.Move(HitButtons(), point)) Invalidate(FALSE);
  Default();
}

void CBarWnd::OnMouseLeave() {
  if (mouse_.Leave()) Invalidate(FALSE);
}

void CBarWnd::OnLButtonDown(UINT, CPoint point) {
  if (mouse_.Press(HitButtons(), point)) Invalidate(FALSE);
}

void CBarWnd::OnLButtonUp(UINT, CPoint point) {
  if (mouse_.Release(HitButtons(), point)) Invalidate(FALSE);
}

void CBarWnd::OnCaptureChanged(CWnd*) {
  if (mouse_.CaptureLost()) Invalidate(FALSE);
}

// The tooltip control outlives the bar: it keeps no tools of a window gone.
void CBarWnd::OnDestroy() {
  for (BarButton* button : HitButtons()) toolTips_.Remove(*this, button->id);
  CWnd::OnDestroy();
}
