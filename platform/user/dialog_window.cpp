// The dialog class and its default procedure.
#include <map>
#include <mutex>

#include "dialog_state.h"
#include "modal_loop.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/last_error.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

struct DialogTable {
  std::mutex lock;
  std::map<HWND, std::shared_ptr<DialogState>> dialogs;
};

DialogTable& Dialogs() {
  static auto* table = new DialogTable;
  return *table;
}

struct PendingDialog {
  DLGPROC procedure = nullptr;
  std::shared_ptr<DialogState> state;
};

thread_local PendingDialog t_pending;

void Forget(HWND hwnd) {
  std::shared_ptr<DialogState> state;
  {
    DialogTable& table = Dialogs();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.dialogs.find(hwnd);
    if (found == table.dialogs.end()) return;
    state = std::move(found->second);
    table.dialogs.erase(found);
  }
  if (state->ownsFont && state->font) DeleteObject(state->font);
  state->font = nullptr;
  if (state->modal && !state->ended) {
    // Destroyed without EndDialog: its loop ends all the same.
    state->ended = true;
    WakeModalLoop();
  }
}

// Messages whose result is the dialog procedure's return value itself
// rather than DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case 0x002E:  // WM_VKEYTOITEM
    case 0x002F:  // WM_CHARTOITEM
    case 0x0037:  // WM_QUERYDRAGICON
    case 0x0039:  // WM_COMPAREITEM
      return true;
    default:
      return message >= 0x0132 && message <= 0x0138;  // WM_CTLCOLOR*
  }
}

LRESULT DefaultDialogHandling(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
      return 0;
    case WM_GETFONT: {
      auto state = DialogStateOf(hwnd);
      return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    }
    case WM_SETFONT:
    case WM_INITDIALOG:
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void EnsureDialogClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW dialogClass{};
    dialogClass.cbSize = sizeof(dialogClass);
    dialogClass.style = CS_DBLCLKS | CS_SAVEBITS;
    dialogClass.lpfnWndProc = DefDlgProcW;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    dialogClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    dialogClass.lpszClassName = WC_DIALOG;
    RegisterClassExW(&dialogClass);
  });
}

std::shared_ptr<DialogState> DialogStateOf(HWND hwnd) {
  DialogTable& table = Dialogs();
  std::lock_guard<std::mutex> guard(table.lock);
  auto found = table.dialogs.find(hwnd);
  return found == table.dialogs.end() ? nullptr : found->second;
}

DialogOffer::DialogOffer(DLGPROC procedure, std::shared_ptr<DialogState> state) {
  t_pending = PendingDialog{procedure, std::move(state)};
}

DialogOffer::~DialogOffer() { t_pending = PendingDialog{}; }

bool AdoptDialog(HWND hwnd) {
  if (!t_pending.state) return false;
  PendingDialog pending = std::move(t_pending);
  t_pending = PendingDialog{};
  {
    DialogTable& table = Dialogs();
    std::lock_guard<std::mutex> guard(table.lock);
    table.dialogs[hwnd] = pending.state;
  }
  SetWindowLongPtrW(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(pending.procedure));
  return true;
}

}  // namespace quorla

LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) quorla::AdoptDialog(hwnd);
  auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC));
  INT_PTR handled = 0;
  if (procedure) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
    handled = procedure(hwnd, message, wParam, lParam);
  }
  LRESULT result;
  if (handled) {
    result = quorla::ReturnsValueDirectly(message) ? handled : GetWindowLongPtrW(hwnd, DWLP_MSGRESULT);
  } else {
    result = quorla::DefaultDialogHandling(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) quorla::Forget(hwnd);
  return result;
}
