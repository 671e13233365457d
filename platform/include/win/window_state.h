#pragma once
// Where windows are and how they show: placement, visibility, enabling,
// parents, titles, window regions, activation, the foreground and keyboard
// focus.
//
// The layer's own geometry is the truth: every call below answers from it
// and sends its notifications before it returns, for hidden windows too
// (WM_WINDOWPOSCHANGING with a WINDOWPOS the handler may change, then
// WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE;
// WM_SHOWWINDOW inside ShowWindow). The window on screen follows. A window's
// rectangle is in screen coordinates for a top-level window and in its
// parent's client coordinates for a child; the client area is the whole
// window (frames are the window manager's, outside the window).
//
// Minimising, maximising and restoring: ShowWindow changes the state and
// the rectangle and sends WM_SIZE (SIZE_MINIMIZED with 0 x 0,
// SIZE_MAXIMIZED, SIZE_RESTORED) with IsIconic and IsZoomed already telling
// the new state. A maximised window covers the rectangle WM_GETMINMAXINFO
// gives (by default the work area from its top-left corner); a window
// minimised from maximised comes back maximised. A minimised window keeps
// its rectangle; on screen it is iconified by the window manager, or
// unmapped when no window manager runs.
//
// Windows belong to their thread: calls that change a window should come
// from that thread.
#include "win/geometry.h"
#include "win/gdi_objects.h"
#include "win/types.h"
#include "win/window_styles.h"

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};
using LPWINDOWPOS = WINDOWPOS*;

// WM_GETMINMAXINFO's lParam. The layer fills in its defaults before it
// sends the message (the default handling changes nothing): ptMaxSize and
// ptMaxPosition the work area's size and top-left corner (screen
// coordinates), ptMinTrackSize 136 x 39, ptMaxTrackSize the size of the
// box around every monitor. Sent before WM_NCCREATE for an overlapped window,
// whose size is then held within the tracking sizes, and whenever a window
// is maximised.
struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};
using LPMINMAXINFO = MINMAXINFO*;

// The previous visibility (nonzero when the window was visible).
WINAPI_EXPORT BOOL ShowWindow(HWND hwnd, int command);
WINAPI_EXPORT BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// repaint FALSE is SWP_NOREDRAW.
WINAPI_EXPORT BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// The window and all its ancestors are visible.
WINAPI_EXPORT BOOL IsWindowVisible(HWND hwnd);
WINAPI_EXPORT BOOL IsIconic(HWND hwnd);
WINAPI_EXPORT BOOL IsZoomed(HWND hwnd);

// Screen coordinates.
WINAPI_EXPORT BOOL GetWindowRect(HWND hwnd, LPRECT rect);
// (0, 0, width, height).
WINAPI_EXPORT BOOL GetClientRect(HWND hwnd, LPRECT rect);
WINAPI_EXPORT BOOL ScreenToClient(HWND hwnd, LPPOINT point);
WINAPI_EXPORT BOOL ClientToScreen(HWND hwnd, LPPOINT point);
// Maps count points from one window's client coordinates to another's (null
// for the screen). The result's low word is the horizontal and the high word
// the vertical shift.
WINAPI_EXPORT int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);

// Disabled windows get no mouse or keyboard input; the window gets
// WM_ENABLE when its state changes. Returns whether it was disabled.
WINAPI_EXPORT BOOL EnableWindow(HWND hwnd, BOOL enable);
WINAPI_EXPORT BOOL IsWindowEnabled(HWND hwnd);
// The parent of a child window, else the owner, else null.
WINAPI_EXPORT HWND GetParent(HWND hwnd);
WINAPI_EXPORT BOOL IsChild(HWND parent, HWND hwnd);

// Sends WM_SETTEXT; the default handling keeps the text (the title on
// screen).
WINAPI_EXPORT BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
// Sends WM_GETTEXT to a window of the calling thread; copies at most
// maxCount - 1 characters and a terminating zero; returns the characters
// copied.
WINAPI_EXPORT int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount);
WINAPI_EXPORT int GetWindowTextLengthW(HWND hwnd);

// The window takes the region (and deletes it later); null removes the
// region. Region coordinates are relative to the window's top-left corner.
// The region limits drawing and hit-testing and is the window's shape on
// screen. Returns nonzero on success.
WINAPI_EXPORT int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window's region into region; its type, or ERROR when the window
// has none.
WINAPI_EXPORT int GetWindowRgn(HWND hwnd, HRGN region);

// The deepest visible window at a screen point, inside the window regions
// (a pixel that a region leaves out belongs to whatever is below it); null
// over no window of this process.
WINAPI_EXPORT HWND WindowFromPoint(POINT point);
// The child of parent at a point in parent's client coordinates (parent
// itself when no child is there; null outside parent).
WINAPI_EXPORT HWND ChildWindowFromPoint(HWND parent, POINT point);

// Activation. Only a visible window of the calling thread is active.
WINAPI_EXPORT HWND SetActiveWindow(HWND hwnd);
WINAPI_EXPORT HWND GetForegroundWindow();
// Activates and raises a visible window (TRUE). A hidden window stays
// hidden and nothing changes (FALSE).
WINAPI_EXPORT BOOL SetForegroundWindow(HWND hwnd);
// Puts the window at the top of its siblings; a visible top-level window of
// the calling thread is raised on screen and activated as well.
WINAPI_EXPORT BOOL BringWindowToTop(HWND hwnd);
constexpr UINT LSFW_LOCK = 1;
constexpr UINT LSFW_UNLOCK = 2;
// Accepted and ignored: the desktop decides about the foreground.
WINAPI_EXPORT BOOL LockSetForegroundWindow(UINT lockCode);

// Keyboard focus, per thread. SetFocus sends WM_KILLFOCUS (wParam the new
// focus) to the old window and WM_SETFOCUS (wParam the old focus) to the new
// one, and returns the old one.
WINAPI_EXPORT HWND SetFocus(HWND hwnd);
WINAPI_EXPORT HWND GetFocus();
