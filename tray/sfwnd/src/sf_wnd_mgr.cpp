#include "sfwnd/sf_wnd_mgr.h"

#include "sfwnd/drawing_objects.h"
#include "sfwnd/sf_wnd.h"
#include "win/blit.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/painting.h"
#include "win/regions.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace {

// Mouse messages carry the point as two unsigned words: a point left of or
// above the host under capture is far right or below, so outside every
// control.
POINT PointFromLParam(LPARAM lParam) {
  return POINT{LOWORD(static_cast<ULONG_PTR>(lParam)), HIWORD(static_cast<ULONG_PTR>(lParam))};
}

// A control's handlers see the point relative to its top-left corner when
// the point lies at or right-below that corner.
POINT RelativeTo(const CSFWnd& wnd, POINT point) {
  const RECT& rect = wnd.GetWndRect();
  if (point.x >= rect.left && point.y >= rect.top) return POINT{point.x - rect.left, point.y - rect.top};
  return point;
}

bool FitsCanvas(int width, int height) {
  return width >= 0 && width <= SF_CANVAS_WIDTH && height >= 0 && height <= SF_CANVAS_HEIGHT;
}

}  // namespace

bool CSFWndMgr::HostIsWindow() const { return m_host && IsWindow(m_host); }

CSFWnd* CSFWndMgr::HitTest(POINT point) const {
  for (CSFWnd* wnd : m_wnds) {
    if (wnd->HasStyle(SFWS_VISIBLE | SFWS_ENABLED) && PtInRect(&wnd->GetWndRect(), point)) return wnd;
  }
  return nullptr;
}

BOOL CSFWndMgr::ProcessWindowMessage(HWND host, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                     BOOL& handled) {
  // A window's very last message must not bind the manager to it again.
  if (!m_host && message != WM_NCDESTROY) m_host = host;
  handled = FALSE;
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      Paint(wParam);
      result = 0;
      handled = TRUE;
      break;
    case WM_ERASEBKGND:
      result = 1;
      handled = TRUE;
      break;
    case WM_SETCURSOR:
      handled = OnSetCursor(result);
      break;
    case WM_MOUSEMOVE:
      handled = OnMouseMove(PointFromLParam(lParam), result);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      handled = OnButton(message, PointFromLParam(lParam), result);
      break;
    case WM_CAPTURECHANGED:
      handled = OnCaptureChanged();
      break;
    case WM_DESTROY:
      m_host = nullptr;
      m_hover = nullptr;
      m_capture = nullptr;
      m_wnds.clear();
      break;
    default:
      break;
  }
  return handled;
}

void CSFWndMgr::Paint(WPARAM wParam) {
  HDC given = reinterpret_cast<HDC>(wParam);
  if (given) {
    RECT update{};
    GetClipBox(given, &update);
    PaintChildren(given, &update);
    PaintBackground(given, &update);
    return;
  }
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(m_host, &paint);
  if (!dc) return;
  PaintChildren(dc, &paint.rcPaint);
  PaintBackground(dc, &paint.rcPaint);
  EndPaint(m_host, &paint);
}

void CSFWndMgr::PaintChildren(HDC dc, const RECT* update) {
  if (!dc || !update) return;
  for (CSFWnd* wnd : m_wnds) {
    RECT meet{};
    if (wnd->HasStyle(SFWS_VISIBLE) && IntersectRect(&meet, &wnd->GetWndRect(), update)) DrawWnd(dc, wnd, true);
  }
}

void CSFWndMgr::DrawWnd(HDC dc, CSFWnd* wnd, bool exclude) {
  const RECT rect = wnd->GetWndRect();
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const RECT area{0, 0, width, height};
  HDC canvas = GetCanvasDC();
  if (canvas && FitsCanvas(width, height)) {
    if (wnd->HasStyle(SFWS_OVERBACKGROUND)) {
      SetViewportOrgEx(canvas, -rect.left, -rect.top, nullptr);
      PaintBackground(canvas, &rect);
    }
    SetViewportOrgEx(canvas, 0, 0, nullptr);
    wnd->Draw(canvas, &area);
    BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);
  } else {
    if (wnd->HasStyle(SFWS_OVERBACKGROUND)) PaintBackground(dc, &rect);
    POINT origin{};
    OffsetViewportOrgEx(dc, rect.left, rect.top, &origin);
    wnd->Draw(dc, &area);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
  if (exclude) ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

int CSFWndMgr::RemoveWnd(CSFWnd* wnd) {
  const int removed = CSFWndMgrImpl::RemoveWnd(wnd);
  if (!wnd) return removed;
  if (m_hover == wnd) m_hover = nullptr;
  if (m_capture == wnd) {
    m_capture = nullptr;
    if (HostIsWindow() && GetCapture() == m_host) ReleaseCapture();
  }
  return removed;
}

int CSFWndMgr::RedrawWnd(CSFWnd* wnd) {
  if (!wnd || !HostIsWindow()) return 0;
  HDC dc = GetDC(m_host);
  if (!dc) return 0;
  const RECT& rect = wnd->GetWndRect();
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  DrawWnd(dc, wnd, false);
  ReleaseDC(m_host, dc);
  return 1;
}

int CSFWndMgr::ResizeWnd(CSFWnd* wnd, int cx, int cy) {
  if (!wnd) return 0;
  RECT rect = wnd->GetWndRect();
  if (rect.right - rect.left == cx && rect.bottom - rect.top == cy) return 0;
  const bool repaint = wnd->HasStyle(SFWS_VISIBLE) && HostIsWindow();
  if (repaint) InvalidateRect(m_host, &rect, FALSE);
  rect.right = rect.left + cx;
  rect.bottom = rect.top + cy;
  wnd->SetWndRect(rect);
  wnd->OnSize(cx, cy);
  if (repaint) {
    InvalidateRect(m_host, &wnd->GetWndRect(), FALSE);
    UpdateWindow(m_host);
  }
  return 1;
}

int CSFWndMgr::MoveWnd(CSFWnd* wnd, int x, int y) {
  if (!wnd) return 0;
  RECT rect = wnd->GetWndRect();
  if (rect.left == x && rect.top == y) return 0;
  const bool repaint = wnd->HasStyle(SFWS_VISIBLE) && HostIsWindow();
  if (repaint) InvalidateRect(m_host, &rect, FALSE);
  OffsetRect(&rect, x - rect.left, y - rect.top);
  wnd->SetWndRect(rect);
  wnd->OnMove(x, y);
  if (repaint) {
    InvalidateRect(m_host, &wnd->GetWndRect(), FALSE);
    UpdateWindow(m_host);
  }
  return 1;
}

int CSFWndMgr::SetCaptureWnd(CSFWnd* wnd) {
  if (m_capture) m_capture->OnCaptureLost();
  m_capture = wnd;
  if (HostIsWindow() && GetCapture() != m_host) SetCapture(m_host);
  return 1;
}

int CSFWndMgr::ReleaseCaptureWnd(CSFWnd* wnd) {
  if (!wnd || wnd != m_capture) return 0;
  if (HostIsWindow() && GetCapture() == m_host) {
    // The platform's WM_CAPTURECHANGED ends the capture in the dispatch.
    ReleaseCapture();
  } else {
    // No window holds the capture for us, so no WM_CAPTURECHANGED will come:
    // end it here, or the control would stay pressed for good.
    OnCaptureChanged();
  }
  return 1;
}

LRESULT CSFWndMgr::SendHostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!HostIsWindow()) return 0;
  return SendMessageW(m_host, message, wParam, lParam);
}

BOOL CSFWndMgr::PostHostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!HostIsWindow()) return FALSE;
  return PostMessageW(m_host, message, wParam, lParam);
}

LRESULT CSFWndMgr::SendCommand(CSFWnd* sender, UINT code, UINT id) {
  if (!HostIsWindow()) return 0;
  return SendMessageW(m_host, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                      reinterpret_cast<LPARAM>(sender));
}

BOOL CSFWndMgr::OnSetCursor(LRESULT& result) {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(m_host, &point);
  CSFWnd* target = m_capture ? m_capture : HitTest(point);
  if (!target) return FALSE;
  const POINT relative = RelativeTo(*target, point);
  if (!target->OnSetCursor(&relative)) return FALSE;
  result = TRUE;
  return TRUE;
}

BOOL CSFWndMgr::OnMouseMove(POINT point, LRESULT& result) {
  if (CSFWnd* captured = m_capture) {
    const bool inside = PtInRect(&captured->GetWndRect(), point);
    const POINT relative = RelativeTo(*captured, point);
    if (!inside && m_hover == captured) {
      m_hover = nullptr;
      captured->OnMouseLeave();
    } else if (inside && !m_hover) {
      m_hover = captured;
      captured->OnMouseEnter(&relative);
    }
    result = captured->OnMouseMove(&relative);
    return TRUE;
  }
  CSFWnd* hit = HitTest(point);
  if (hit != m_hover) {
    CSFWnd* left = m_hover;
    m_hover = hit;
    if (left) left->OnMouseLeave();
    if (hit) {
      const POINT relative = RelativeTo(*hit, point);
      hit->OnMouseEnter(&relative);
    }
  }
  if (!hit) return FALSE;
  const POINT relative = RelativeTo(*hit, point);
  result = hit->OnMouseMove(&relative);
  return result != 0;
}

BOOL CSFWndMgr::OnButton(UINT message, POINT point, LRESULT& result) {
  const bool captured = m_capture != nullptr;
  CSFWnd* target = captured ? m_capture : HitTest(point);
  if (!target) return FALSE;
  const POINT relative = RelativeTo(*target, point);
  int consumed = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
      consumed = target->OnLButtonDown(&relative);
      break;
    case WM_LBUTTONUP:
      consumed = target->OnLButtonUp(&relative);
      break;
    default:
      consumed = target->OnLButtonDblClk(&relative);
      break;
  }
  if (captured || consumed) {
    result = consumed;
    return TRUE;
  }
  return FALSE;
}

BOOL CSFWndMgr::OnCaptureChanged() {
  CSFWnd* captured = m_capture;
  if (!captured) return FALSE;
  // Forgotten first: whatever the control's loss starts (a command, a menu)
  // must not see it as still holding the capture.
  m_capture = nullptr;
  captured->OnCaptureLost();
  return TRUE;
}
