// Modal and modeless dialogs, and ending them.
#include <memory>

#include "dialog_create.h"
#include "modal_loop.h"
#include "win/input.h"
#include "win/last_error.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// Owners are top-level windows: a child given as owner stands for its
// top-level ancestor.
HWND TopLevelOwner(HWND owner) {
  while (owner && (static_cast<DWORD>(GetWindowLongPtrW(owner, GWL_STYLE)) & WS_CHILD)) {
    HWND parent = GetParent(owner);
    if (!parent) break;
    owner = parent;
  }
  return owner;
}

}  // namespace
}  // namespace quorla

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM initParam) {
  if (owner && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  owner = quorla::TopLevelOwner(owner);
  auto state = std::make_shared<quorla::DialogState>();
  state->modal = true;
  HWND dialog =
      quorla::CreateDialogFromTemplate(instance, dialogTemplate, owner, procedure, initParam, state, nullptr);
  if (!dialog) return state->ended ? state->result : -1;

  const bool disableOwner = owner && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  quorla::ModalLoopSteps steps;
  steps.ended = [&] { return state->ended || !IsWindow(dialog); };
  steps.idle = [&] {
    if (!IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
    return false;
  };
  steps.filter = [&](MSG& msg) { return IsDialogMessageW(dialog, &msg) != FALSE; };
  quorla::RunModalLoop(steps);

  if (disableOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return state->result;
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM initParam) {
  if (owner && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto state = std::make_shared<quorla::DialogState>();
  bool visible = false;
  HWND dialog =
      quorla::CreateDialogFromTemplate(instance, dialogTemplate, owner, procedure, initParam, state, &visible);
  if (dialog && visible) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  auto state = quorla::DialogStateOf(dialog);
  if (!state) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  state->result = result;
  state->ended = true;
  // The loop may be waiting inside a message sent to the dialog's thread.
  quorla::WakeModalLoop();
  return TRUE;
}
