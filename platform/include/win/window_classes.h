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
// the class cursor over the client area, a sizing cursor over an edge, else
// the arrow; WM_WINDOWPOSCHANGED sends WM_MOVE and WM_SIZE for what changed;
// WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH keep and read the title;
// WM_ACTIVATE gives an activated window the focus; WM_MOUSEWHEEL of a child
// goes to its parent; WM_GETMINMAXINFO keeps what the handler set.
//
// The frame: WM_NCHITTEST answers HTCLIENT inside the window, HTNOWHERE
// outside. WM_NCLBUTTONDOWN on HTCAPTION (also posted, also to a child
// window) sends WM_SYSCOMMAND SC_MOVE | HTCAPTION, except while maximised;
// WM_NCLBUTTONDBLCLK on HTCAPTION sends SC_RESTORE when maximised, else
// SC_MAXIMIZE (WS_MAXIMIZEBOX only); WM_NCRBUTTONUP on HTCAPTION shows the
// window menu; Alt+F4 (WM_SYSKEYDOWN) sends SC_CLOSE to the top-level
// window. WM_SYSCOMMAND (wParam & 0xFFF0): SC_MINIMIZE, SC_MAXIMIZE and
// SC_RESTORE change the state as ShowWindow does; SC_CLOSE sends WM_CLOSE;
// SC_MOVE moves the window by the pointer's travel from where the pointer
// is when it is handled (a child in its parent's client area, never out of
// it; a click already released moves nothing), not when minimised or
// maximised; SC_KEYMENU with lParam ' ' shows the window menu
// (还原, 移动, 大小, 最小化, 最大化, 关闭, enabled by state; 大小 always
// greyed, and SC_SIZE does nothing), whose choice is posted as
// WM_SYSCOMMAND. The desktop's close, minimise, maximise and restore
// requests arrive as WM_SYSCOMMAND too. WM_SETICON keeps the icon (the
// window's icon on the desktop), WM_GETICON gives it. 0 for everything
// else.
WINAPI_EXPORT LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
WINAPI_EXPORT LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#define MAKEINTATOM(atom) (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(atom))))
