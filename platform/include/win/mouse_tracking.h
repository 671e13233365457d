#pragma once
// Mouse-leave tracking. A window that asks with TME_LEAVE gets one
// WM_MOUSELEAVE (posted, wParam and lParam 0) when the pointer leaves it:
// onto a child, another window, another program or a menu; also while it
// holds the capture, when the pointer moves outside it. Each request gives
// one message; a window asks again (usually on its next WM_MOUSEMOVE) to
// hear of the next leave. A request made while the pointer is not over the
// window posts the message at once. One window per thread is tracked; a
// request for another window replaces the previous one.
#include "win/messages.h"

constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;

struct TRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
};
using LPTRACKMOUSEEVENT = TRACKMOUSEEVENT*;

// TME_LEAVE asks for the message; with TME_CANCEL it withdraws the request
// of hwndTrack. TME_QUERY fills the record with the request in force
// (dwFlags TME_LEAVE and the window, or 0 and null). FALSE with
// ERROR_INVALID_PARAMETER for a record of another size or other flags, with
// ERROR_INVALID_WINDOW_HANDLE for a window that is not the calling thread's.
WINAPI_EXPORT BOOL TrackMouseEvent(LPTRACKMOUSEEVENT request);
