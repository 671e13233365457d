#pragma once
// The control classes the layer registers itself, as the platform's own
// classes exist in every process: "Button" (win/buttons.h), "Edit"
// (win/edit.h), the tooltip control (win/common_controls.h), the tab
// control (win/tab_control.h), the list view (win/list_view.h) with its
// header (win/header_control.h), and the scroll bar (win/scroll_bars.h).
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
LRESULT CALLBACK ListViewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HeaderControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ScrollBarProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorla
