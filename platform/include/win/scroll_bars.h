#pragma once
// The scroll bar control, class "ScrollBar", registered by the layer, in
// its vertical kind (SBS_VERT): an arrow at each end, a square each, and a
// thumb in the track between them, as long as the page is of the range.
// A press on an arrow sends WM_VSCROLL SB_LINEUP or SB_LINEDOWN to the
// parent, on the track above or below the thumb SB_PAGEUP or SB_PAGEDOWN;
// dragging the thumb sends SB_THUMBTRACK with the position under the
// pointer (high word of wParam) at each move and SB_THUMBPOSITION at the
// release; every press ends with SB_ENDSCROLL. lParam is the scroll bar.
// The control never moves its own position: the parent sets it.
#include "win/messages.h"
#include "win/types.h"

#define WC_SCROLLBARW (u"ScrollBar")

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;

// The low word of WM_VSCROLL's wParam.
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// lParam SCROLLINFO*: what fMask names. SET keeps the position within
// nMin .. nMax - nPage + 1 and returns it; GET returns TRUE.
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

