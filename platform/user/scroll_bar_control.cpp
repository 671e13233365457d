// The vertical scroll bar control: its range, page and position, its face
// (two arrows, the track and the thumb), and the presses and thumb drags it
// turns into WM_VSCROLL for its parent.
#include <algorithm>

#include "control_classes.h"
#include "control_state.h"
#include "win/dc.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/scroll_bars.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

struct ScrollBarState {
  int min = 0;
  int max = 100;
  int page = 0;
  int pos = 0;
  int trackPos = 0;
  bool pressing = false;
  bool draggingThumb = false;
  int grabOffset = 0;  // from the thumb's top to the pointer
};

ScrollBarState* StateOf(HWND hwnd) { return ControlStateOf<ScrollBarState>(hwnd); }

// The highest position: the last page ends at max.
int MaxPos(const ScrollBarState& s) { return std::max(s.min, s.max - std::max(0, s.page - 1)); }

struct Parts {
  int arrow = 0;       // each arrow's height
  int trackTop = 0;    // between the arrows
  int trackBottom = 0;
  int thumbTop = 0;    // thumbTop == thumbBottom: no thumb (everything fits)
  int thumbBottom = 0;
};

Parts PartsOf(HWND hwnd, const ScrollBarState& s) {
  RECT client;
  GetClientRect(hwnd, &client);
  Parts p;
  p.arrow = std::min<int>(client.right, client.bottom / 2);
  p.trackTop = p.arrow;
  p.trackBottom = client.bottom - p.arrow;
  const int track = p.trackBottom - p.trackTop;
  const long long range = static_cast<long long>(s.max) - s.min + 1;
  if (s.page <= 0 || range <= s.page || track <= 0) {
    p.thumbTop = p.thumbBottom = p.trackTop;
    return p;
  }
  const int length = std::clamp(static_cast<int>(track * static_cast<long long>(s.page) / range), std::min(8, track), track);
  const int travel = track - length;
  const int span = MaxPos(s) - s.min;
  const int offset = span > 0 ? static_cast<int>(static_cast<long long>(travel) * (s.pos - s.min) / span) : 0;
  p.thumbTop = p.trackTop + offset;
  p.thumbBottom = p.thumbTop + length;
  return p;
}

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// A small triangle pointing up or down, centred in the box.
void Arrow(HDC dc, const RECT& box, bool up, COLORREF colour) {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  for (int row = 0; row < 4; ++row) {
    const int y = up ? cy - 2 + row : cy + 1 - row;
    Fill(dc, RECT{cx - row, y, cx + row + 1, y + 1}, colour);
  }
}

void Paint(HWND hwnd, const ScrollBarState& s) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(hwnd, &client);
  const Parts p = PartsOf(hwnd, s);
  Fill(dc, client, RGB(240, 240, 240));
  const bool enabled = p.thumbBottom > p.thumbTop;
  const COLORREF glyph = enabled ? RGB(96, 96, 96) : RGB(191, 191, 191);
  Arrow(dc, RECT{0, 0, client.right, p.arrow}, true, glyph);
  Arrow(dc, RECT{0, p.trackBottom, client.right, client.bottom}, false, glyph);
  if (enabled) Fill(dc, RECT{2, p.thumbTop, client.right - 2, p.thumbBottom}, RGB(205, 205, 205));
  EndPaint(hwnd, &paint);
}

void Tell(HWND hwnd, int code, int pos = 0) {
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                 reinterpret_cast<LPARAM>(hwnd));
}

void Press(HWND hwnd, ScrollBarState& s, int y) {
  const Parts p = PartsOf(hwnd, s);
  s.pressing = true;
  SetCapture(hwnd);
  if (y < p.trackTop) {
    Tell(hwnd, SB_LINEUP);
  } else if (y >= p.trackBottom) {
    Tell(hwnd, SB_LINEDOWN);
  } else if (p.thumbBottom > p.thumbTop && y >= p.thumbTop && y < p.thumbBottom) {
    s.draggingThumb = true;
    s.grabOffset = y - p.thumbTop;
    s.trackPos = s.pos;
  } else if (p.thumbBottom > p.thumbTop) {
    Tell(hwnd, y < p.thumbTop ? SB_PAGEUP : SB_PAGEDOWN);
  }
}

void DragThumb(HWND hwnd, ScrollBarState& s, int y) {
  const Parts p = PartsOf(hwnd, s);
  const int travel = (p.trackBottom - p.trackTop) - (p.thumbBottom - p.thumbTop);
  const int span = MaxPos(s) - s.min;
  const int offset = std::clamp(y - s.grabOffset - p.trackTop, 0, std::max(0, travel));
  const int pos = travel > 0 ? s.min + static_cast<int>((static_cast<long long>(offset) * span + travel / 2) / travel)
                             : s.min;
  if (pos == s.trackPos) return;
  s.trackPos = pos;
  Tell(hwnd, SB_THUMBTRACK, pos);
}

void Release(HWND hwnd) {
  ScrollBarState* s = StateOf(hwnd);
  if (!s || !s->pressing) return;
  const bool thumb = s->draggingThumb;
  s->pressing = false;
  s->draggingThumb = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  if (thumb) Tell(hwnd, SB_THUMBPOSITION, s->trackPos);
  Tell(hwnd, SB_ENDSCROLL);
}

LRESULT SetInfo(HWND hwnd, ScrollBarState& s, const SCROLLINFO* info, bool redraw) {
  if (!info) return s.pos;
  if (info->fMask & SIF_RANGE) {
    s.min = info->nMin;
    s.max = std::max(info->nMin, info->nMax);
  }
  if (info->fMask & SIF_PAGE) s.page = static_cast<int>(std::min<UINT>(info->nPage, 0x7FFFFFFF));
  if (info->fMask & SIF_POS) s.pos = info->nPos;
  s.pos = std::clamp(s.pos, s.min, MaxPos(s));
  if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
  return s.pos;
}

BOOL GetInfo(const ScrollBarState& s, SCROLLINFO* info) {
  if (!info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = s.min;
    info->nMax = s.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(s.page);
  if (info->fMask & SIF_POS) info->nPos = s.pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.draggingThumb ? s.trackPos : s.pos;
  return TRUE;
}

}  // namespace

LRESULT CALLBACK ScrollBarProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ScrollBarState* s = ControlStateFor<ScrollBarState>(hwnd, message);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the face covers everything
    case WM_PAINT:
      Paint(hwnd, *s);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(hwnd, *s, GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (s->draggingThumb && GetCapture() == hwnd) DragThumb(hwnd, *s, GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      Release(hwnd);
      return 0;
    case SBM_SETSCROLLINFO:
      return SetInfo(hwnd, *s, reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
    case SBM_GETSCROLLINFO:
      return GetInfo(*s, reinterpret_cast<SCROLLINFO*>(lParam));
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quorla
