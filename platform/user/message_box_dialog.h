#pragma once
// The message box as one of the layer's own modal dialogs, for the thread
// that runs the toolkit: its loop is the layer's, so the program's windows
// keep painting and its timers and messages keep flowing while it waits.
// The text is drawn by the box itself; OK ("确定"), and Cancel ("取消") with
// MB_OKCANCEL, are the layer's push buttons. Enter is OK; Esc and closing
// the box are Cancel, or OK when the box has no Cancel. The owner (its
// top-level window) takes no input meanwhile.
#include "win/types.h"

namespace quorla {

// IDOK or IDCANCEL; 0 when the dialog could not be made.
int ShowMessageBoxDialog(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

}  // namespace quorla
