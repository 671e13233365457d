#pragma once
// Window classes and window procedures. Class names are process-wide and
// compared without regard to letter case; a name can be registered once
// until it is unregistered.
#include "win/types.h"

using WNDPROC = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};

struct WNDCLASSEXW {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
  HICON hIconSm;
};

constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;

// A class atom (0xC000 and up), 0 on failure.
WINAPI_EXPORT ATOM RegisterClassW(const WNDCLASSW* windowClass);
WINAPI_EXPORT ATOM RegisterClassExW(const WNDCLASSEXW* windowClass);
// className may be a name or an atom (MAKEINTATOM). Fails while windows of
// the class exist.
WINAPI_EXPORT BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
WINAPI_EXPORT BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW* out);

// The default handling: TRUE for WM_NCCREATE; DestroyWindow for WM_CLOSE;
// WM_ERASEBKGND fills the client area with the class brush (1; 0 without a
// brush); WM_PAINT validates; WM_SETCURSOR asks the parent first, then sets
// the class cursor over the client area; WM_WINDOWPOSCHANGED sends WM_MOVE
// and WM_SIZE for what changed; WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH
// keep and read the title; WM_ACTIVATE gives an activated window the focus;
// WM_MOUSEWHEEL of a child goes to its parent; WM_SYSCOMMAND SC_MOVE moves
// the window with the mouse (win/menus.h). 0 for everything else.
WINAPI_EXPORT LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
WINAPI_EXPORT LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#define MAKEINTATOM(atom) (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(atom))))
