#pragma once
// Mouse and keyboard input, capture and cursors.
//
// Input arrives as queued messages of the thread that owns the window:
// WM_MOUSEMOVE, WM_xBUTTONDOWN/UP/DBLCLK (double clicks only for classes with
// CS_DBLCLKS, else a second press), WM_MOUSEWHEEL (screen point), WM_KEYDOWN,
// WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP; TranslateMessage adds WM_CHAR.
// Mouse messages carry the client point as two 16-bit words (negative in
// two's complement under capture; read them with GET_X_LPARAM/GET_Y_LPARAM)
// and the MK_* flags in wParam; MSG.pt is the screen point and MSG.time the
// tick count of the event.
//
// The mouse goes to the capture window, else to the deepest visible,
// enabled window whose region holds the point. That window is asked
// WM_NCHITTEST (lParam the screen point; the default answers HTCLIENT inside
// the window, HTNOWHERE outside) when the input arrives: HTCLIENT makes the
// client messages above, any other code the non-client ones (WM_NCMOUSEMOVE,
// WM_NCxBUTTONDOWN/UP/DBLCLK, double clicks whatever the class) with the hit
// code as wParam and the SCREEN point in lParam. The capture window gets
// client messages only. Each mouse message to a window that does not hold
// the capture is preceded by WM_SETCURSOR (wParam the window under the
// pointer, lParam MAKELPARAM(hit code, the client mouse message: WM_MOUSEMOVE
// for WM_NCMOUSEMOVE ...)), which the default handling offers to the parent
// first and then answers with the class cursor over the client area, the
// sizing cursors over the edges and the arrow elsewhere. Keys go to the
// focus window.
#include "win/messages.h"
#include "win/types.h"

constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

constexpr int WHEEL_DELTA = 120;
constexpr SHORT GET_WHEEL_DELTA_WPARAM(WPARAM wParam) { return static_cast<SHORT>(HIWORD(wParam)); }

// Hit-test codes (WM_NCHITTEST's result, WM_SETCURSOR's low word of lParam).
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_OEM_1 = 0xBA;
constexpr int VK_OEM_PLUS = 0xBB;
constexpr int VK_OEM_COMMA = 0xBC;
constexpr int VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE;
constexpr int VK_OEM_2 = 0xBF;
constexpr int VK_OEM_3 = 0xC0;
constexpr int VK_OEM_4 = 0xDB;
constexpr int VK_OEM_5 = 0xDC;
constexpr int VK_OEM_6 = 0xDD;
constexpr int VK_OEM_7 = 0xDE;
// A key that types a character without a key code of its own.
constexpr int VK_PACKET = 0xE7;

// Capture, per thread. SetCapture returns the previous holder. The window
// that loses the capture gets WM_CAPTURECHANGED (lParam the new holder or
// null) after the change, so GetCapture already names the new holder:
// inside ReleaseCapture, inside a SetCapture that takes the capture from
// another window, and when the holder is destroyed. A SetCapture while no
// window holds the capture sends nothing.
WINAPI_EXPORT HWND SetCapture(HWND hwnd);
WINAPI_EXPORT BOOL ReleaseCapture();
WINAPI_EXPORT HWND GetCapture();

// Key state: the high bit (the result is negative) while the key or mouse
// button is down. GetKeyState answers as of the last input message the
// calling thread took from its queue; GetAsyncKeyState as of the latest
// input the layer saw.
WINAPI_EXPORT SHORT GetKeyState(int virtualKey);
WINAPI_EXPORT SHORT GetAsyncKeyState(int virtualKey);
// Milliseconds between two clicks that make a double click.
WINAPI_EXPORT UINT GetDoubleClickTime();

// Cursors.
#define IDC_ARROW (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32512)))
#define IDC_IBEAM (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32513)))
#define IDC_WAIT (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32514)))
#define IDC_CROSS (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32515)))
#define IDC_SIZENWSE (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32642)))
#define IDC_SIZENESW (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32643)))
#define IDC_SIZEWE (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32644)))
#define IDC_SIZENS (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32645)))
#define IDC_SIZEALL (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32646)))
#define IDC_NO (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32648)))
#define IDC_HAND (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32649)))
#define IDC_APPSTARTING (reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32650)))

// instance null: one of the standard cursors above (the same handle every
// time; never destroyed). Null for anything else.
WINAPI_EXPORT HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// Sets the cursor shown over the window under the pointer; returns the
// previous one. Null hides nothing: it leaves the arrow.
WINAPI_EXPORT HCURSOR SetCursor(HCURSOR cursor);
WINAPI_EXPORT HCURSOR GetCursor();
// Screen coordinates of the pointer.
WINAPI_EXPORT BOOL GetCursorPos(LPPOINT point);
