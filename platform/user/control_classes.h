#pragma once
// The control classes the layer registers itself, as the platform's own
// classes exist in every process: "Button" (win/buttons.h), "Edit"
// (win/edit.h), the tooltip control (win/common_controls.h) and the tab
// control (win/tab_control.h).
// Registered on the first class lookup.
#include "win/types.h"

namespace quorla {

// Registers them once per process; safe from any thread. Must not be called
// with the class table's lock held.
void EnsureControlClasses();

LRESULT CALLBACK ButtonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// SHAutoComplete's part in an "Edit" control (win/shell_autocomplete.h):
// typing at the end completes from the address history. False for a window
// of another class. The control's thread.
bool EnableAddressCompletion(HWND hwnd);
LRESULT CALLBACK TooltipProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TabControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorla
