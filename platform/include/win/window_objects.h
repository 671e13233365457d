#pragma once
// Windows as the layer's own records: creation on any thread (the creating
// thread owns the window and receives its messages), destruction by the
// owner, per-window values, and finding top-level windows of this process.
// Message-only windows (parent HWND_MESSAGE) are never found by FindWindowW.
#include "win/types.h"
#include "win/window_classes.h"

struct CREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};

#define HWND_MESSAGE (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-3)))

constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWLP_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;

constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;

// Sends WM_NCCREATE (FALSE fails the creation) and WM_CREATE (-1 fails it)
// with a CREATESTRUCTW; an overlapped window gets WM_GETMINMAXINFO before
// them (win/window_state.h). Null on failure.
WINAPI_EXPORT HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                   int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                   LPVOID parameter);
// Only the owning thread destroys a window (ERROR_ACCESS_DENIED otherwise).
// Sends WM_DESTROY, destroys the children, sends WM_NCDESTROY; messages still
// queued for the window are dropped.
WINAPI_EXPORT BOOL DestroyWindow(HWND hwnd);
WINAPI_EXPORT BOOL IsWindow(HWND hwnd);
WINAPI_EXPORT LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
// Returns the previous value.
WINAPI_EXPORT LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
// The 32-bit values (styles, identifiers) through the calls above.
WINAPI_EXPORT LONG GetWindowLongW(HWND hwnd, int index);
WINAPI_EXPORT LONG SetWindowLongW(HWND hwnd, int index, LONG value);
WINAPI_EXPORT DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
// A top-level window of this process by class and/or title (null matches
// anything).
WINAPI_EXPORT HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
// The screen's root window; always valid.
WINAPI_EXPORT HWND GetDesktopWindow();
// The active window of the calling thread; null while it has none on screen.
WINAPI_EXPORT HWND GetActiveWindow();

namespace quorla {
// Called by the calling thread's next CreateWindowExW with the new window,
// before the window receives its first message; used once, then forgotten,
// so the windows made while it runs do not take it. Window frameworks bind
// their objects to windows with it (and may subclass the window there),
// whatever procedure the window's class has. A creation that fails before
// it has a window leaves the hook set: a null hook withdraws it.
using CreationHook = void (*)(HWND hwnd, void* context);
WINAPI_EXPORT void SetThreadCreationHook(CreationHook hook, void* context);
}  // namespace quorla
