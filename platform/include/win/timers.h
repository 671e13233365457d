#pragma once
// Timers. A timer belongs to the thread that owns its window (or, with a
// null window, to the calling thread) and ticks as WM_TIMER (wParam the
// identifier, lParam the callback or 0) taken by that thread's GetMessageW or
// PeekMessageW: the first tick one period after SetTimer, then one period
// after each tick was taken. WM_TIMER is made only when the queue holds
// nothing else, so a busy or blocked thread never finds a backlog of ticks:
// at most one is pending per timer. Timers tick inside every modal loop,
// because every modal loop takes its messages with GetMessageW. With a
// callback, DispatchMessageW calls it instead of the window procedure.
#include "win/types.h"

using TIMERPROC = void (*)(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

constexpr UINT USER_TIMER_MINIMUM = 10;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// With a window: (re)starts the window's timer id and returns id (nonzero).
// Without a window: makes a new thread timer and returns its identifier.
// 0 on failure (a window of another thread, or one that is gone).
WINAPI_EXPORT UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback);
// FALSE when there is no such timer.
WINAPI_EXPORT BOOL KillTimer(HWND hwnd, UINT_PTR id);
