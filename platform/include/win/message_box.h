#pragma once
// Message boxes. With a display (an X11 or Wayland session and a Qt platform
// that shows windows) a real, modal box is shown by a small helper process,
// "quorla-message-box" beside the layer, and the call waits until it is
// closed; without one, the caption and the text are written to standard
// error and the call returns at once. Safe inside the crash filter: the
// helper is started beforehand, when the filter is set (see exceptions.h).
// The owner window is not used.
#include "win/types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;

// Offers only an OK button; returns IDOK once the box is closed (at once when
// the text went to standard error).
WINAPI_EXPORT int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
