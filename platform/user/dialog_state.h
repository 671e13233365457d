#pragma once
// What the layer keeps about each dialog window besides its record: its
// font, base units and the state of its modal loop. Dialogs belong to their
// thread; the fields are read and written there only.
#include <memory>

#include "dialog_units.h"
#include "win/dialogs.h"

namespace quorla {

struct DialogState {
  HFONT font = nullptr;
  bool ownsFont = false;
  BaseUnits units = SystemBaseUnits();
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
};

// Registers the dialog class "#32770" once per process.
void EnsureDialogClass();

// The state of a dialog window; null for any other window.
std::shared_ptr<DialogState> DialogStateOf(HWND hwnd);

// Offers the procedure and state to the next dialog window that starts on
// this thread (taken at its WM_NCCREATE, or by AdoptDialog once it exists);
// withdrawn when the offer goes out of scope.
class DialogOffer {
 public:
  DialogOffer(DLGPROC procedure, std::shared_ptr<DialogState> state);
  ~DialogOffer();
  DialogOffer(const DialogOffer&) = delete;
  DialogOffer& operator=(const DialogOffer&) = delete;
};

// Makes hwnd a dialog with the offered procedure and state unless it took
// them already (a window of a class of its own that never reached
// DefDlgProcW). False when nothing was offered.
bool AdoptDialog(HWND hwnd);

}  // namespace quorla
