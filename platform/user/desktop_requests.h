#pragma once
// What the desktop asks of a window on screen (close it, minimise, maximise
// or restore it) goes to the window procedure as WM_SYSCOMMAND when the
// thread's loop comes round; the default handling carries it out, and a
// procedure that does not call it keeps the window as it is.
#include "win/types.h"

namespace quorla {

// command: SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE or SC_RESTORE.
void ForwardDesktopRequest(HWND hwnd, WPARAM command);

// The desktop changed the window's state on screen. Whether that asks for
// a change is decided when the loop comes round, from the state the window
// has on screen then: the platform echoes the layer's own changes late, and
// an echo that the layer's next change has overtaken asks for nothing.
void NoteDesktopState(HWND hwnd);

// The system command that takes a window from the layer's state to the one
// the desktop gave it (minimised, maximised, else normal); 0 when they are
// the same.
WPARAM StateRequestFor(HWND hwnd, bool desktopMinimized, bool desktopMaximized);

// The show command for the window's state (SW_SHOWMINIMIZED,
// SW_SHOWMAXIMIZED, SW_SHOWNORMAL).
int ShowCommandForState(HWND hwnd);

}  // namespace quorla
