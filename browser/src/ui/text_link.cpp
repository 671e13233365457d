#include "text_link.h"

#include "afx/window_dcs.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/mouse_tracking.h"
#include "win/shell_execute.h"
#include "win/text_draw.h"

BEGIN_MESSAGE_MAP(CTextLink, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kLinkColour = RGB(42, 75, 101);

}  // namespace

CTextLink::CTextLink() : font_(GetUiFont(kUiFontUnderlined12)) {}

CTextLink::~CTextLink() {
  if (m_hWnd) DestroyWindow();
}

BOOL CTextLink::Create(CWnd* parent) {
  LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return CreateEx(0, className, u"MyTextLink", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(), parent, 0);
}

int CTextLink::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  ModifyStyleEx(0, WS_EX_TRANSPARENT);
  return 0;
}

void CTextLink::SetText(LPCWSTR text) {
  text_ = text;
  address_.Empty();
}

CRect CTextLink::GetTextRect() {
  CClientDC dc(this);
  CFont* previous = dc.SelectObject(font_);
  const CSize extent = dc.GetTextExtent(text_);
  dc.SelectObject(previous);
  return CRect(0, 0, extent.cx, extent.cy);
}

void CTextLink::DrawLink(CDC* dc, const CRect& rect) {
  if (!dc) return;
  const int previousMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF previousColour = dc->SetTextColor(kLinkColour);
  CFont* previousFont = dc->SelectObject(font_);
  CRect box(rect);
  dc->DrawText(text_, box, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  dc->SelectObject(previousFont);
  dc->SetTextColor(previousColour);
  dc->SetBkMode(previousMode);
}

void CTextLink::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  DrawLink(&dc, client);
}

// Not erased: the parent's pixels stay beneath the text.
BOOL CTextLink::OnEraseBkgnd(CDC*) { return FALSE; }

BOOL CTextLink::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return TRUE;
}

bool CTextLink::Inside(CPoint point) const {
  CRect client;
  GetClientRect(&client);
  return client.PtInRect(point);
}

void CTextLink::ChangeState(int state) {
  if (state == state_) return;
  state_ = state;
  Invalidate(FALSE);
}

void CTextLink::OnMouseMove(UINT, CPoint point) {
  TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
  TrackMouseEvent(&request);
  ChangeState(!Inside(point) ? kNormal : GetCapture() == this ? kPressed : kHover);
}

void CTextLink::OnMouseLeave() { ChangeState(kNormal); }

void CTextLink::OnLButtonDown(UINT, CPoint) {
  SetCapture();
  ChangeState(kPressed);
}

void CTextLink::OnLButtonUp(UINT, CPoint point) {
  // A click is a press and a release on the link: a release that ends a
  // press elsewhere is no click.
  const bool held = GetCapture() == this;
  const bool inside = Inside(point);
  if (held) ReleaseCapture();
  ChangeState(inside ? kHover : kNormal);
  if (held && inside) Clicked();
}

void CTextLink::Clicked() {
  if (mode_ == kPostToParent) {
    if (CWnd* parent = GetParent())
      parent->PostMessage(WM_LINK_CLICKED, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return;
  }
  ShellExecuteW(m_hWnd, u"open", address_, nullptr, nullptr, SW_SHOWNORMAL);
}
