#pragma once
// Making a dialog window from its template, up to and including
// WM_INITDIALOG; the window stays hidden.
#include <memory>

#include "dialog_state.h"

namespace quorla {

// Null when the template is malformed, a window cannot be made, or the
// dialog was destroyed before WM_INITDIALOG returned. visibleInTemplate
// tells whether the template asked for WS_VISIBLE.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner, DLGPROC procedure,
                              LPARAM initParam, const std::shared_ptr<DialogState>& state, bool* visibleInTemplate);

}  // namespace quorla
