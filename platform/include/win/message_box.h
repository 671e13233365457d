#pragma once
// Message boxes. On the thread that runs the layer's windows the box is one
// of the layer's modal dialogs, run by its own loop (so the program's windows
// keep painting and its timers keep firing), with or without a display: it
// waits until a button is pressed. Elsewhere, and inside the crash filter, a
// display (an X11 or Wayland session and a Qt platform that shows windows)
// gets a real, modal box from a small helper process, "quorla-message-box"
// beside the layer, and the call waits until it is closed; without one, the
// caption and the text are written to standard error and the call returns at
// once, OK for a box that offers only OK and Cancel for one that asks. Safe
// inside the crash filter: the helper is started beforehand, when the filter
// is set (see exceptions.h). The owner's top-level window takes no input
// while the layer's own box is up.
#include "win/types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Offers an OK button, and a Cancel button with MB_OKCANCEL; returns the
// button pressed (IDOK, IDCANCEL).
WINAPI_EXPORT int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
