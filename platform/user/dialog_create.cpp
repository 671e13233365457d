#include "dialog_create.h"

#include <cstdint>
#include <string>

#include "dialog_template.h"
#include "win/last_error.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// The classes templates name by number.
LPCWSTR ClassOfOrdinal(WORD ordinal) {
  switch (ordinal) {
    case 0x0080:
      return u"Button";
    case 0x0081:
      return u"Edit";
    case 0x0082:
      return u"Static";
    case 0x0083:
      return u"ListBox";
    case 0x0084:
      return u"ScrollBar";
    case 0x0085:
      return u"ComboBox";
    default:
      return nullptr;
  }
}

LPCWSTR ItemClass(const NameOrOrdinal& windowClass) {
  if (windowClass.isOrdinal) return ClassOfOrdinal(windowClass.ordinal);
  return windowClass.name.empty() ? nullptr : windowClass.name.c_str();
}

bool ClassExists(LPCWSTR name) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  return name && GetClassInfoExW(nullptr, name, &info);
}

// Makes the items; false when one that should exist could not be made
// (and the template does not allow that). The first item that can take the
// focus comes back in focus.
bool CreateItems(HWND dialog, HINSTANCE instance, const DialogTemplate& parsed, const DialogState& state,
                 HWND* focus) {
  for (const DialogItemTemplate& item : parsed.items) {
    LPCWSTR className = ItemClass(item.windowClass);
    if (!ClassExists(className)) continue;  // no such control in this layer: the dialog goes on without it
    LPCWSTR title = item.title.isOrdinal ? nullptr : item.title.name.c_str();
    // (x, y, width, height), each mapped on its own.
    RECT area = DialogUnitsToPixels(RECT{item.x, item.y, item.cx, item.cy}, state.units);
    HWND child = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, className, title, item.style | WS_CHILD,
                                 area.left, area.top, area.right, area.bottom, dialog,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                 const_cast<BYTE*>(item.creationData));
    if (!IsWindow(dialog)) return false;
    if (!child) {
      if (parsed.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (state.font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    if (!*focus && (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) *focus = child;
  }
  return true;
}

}  // namespace

HWND CreateDialogFromTemplate(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner, DLGPROC procedure,
                              LPARAM initParam, const std::shared_ptr<DialogState>& state, bool* visibleInTemplate) {
  EnsureDialogClass();
  // The platform takes templates by address alone; the reader stops at the
  // template's own terminators.
  const auto* bytes = reinterpret_cast<const BYTE*>(dialogTemplate);
  auto parsed = ReadDialogTemplate(bytes, SIZE_MAX - reinterpret_cast<std::uintptr_t>(bytes));
  if (!parsed) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (visibleInTemplate) *visibleInTemplate = (parsed->style & WS_VISIBLE) != 0;

  if (parsed->font) {
    state->font = MakeDialogFont(*parsed->font);
    state->ownsFont = state->font != nullptr;
    state->units = BaseUnitsOf(*parsed->font, state->font);
  }
  // (x, y, width, height), each mapped on its own; the client area is the
  // whole window.
  RECT area = DialogUnitsToPixels(RECT{parsed->x, parsed->y, parsed->cx, parsed->cy}, state->units);
  POINT origin{area.left, area.top};
  if (owner && !(parsed->style & (WS_CHILD | DS_ABSALIGN))) ClientToScreen(owner, &origin);

  LPCWSTR className = WC_DIALOG;
  if (parsed->windowClass.isOrdinal) {
    className = MAKEINTATOM(parsed->windowClass.ordinal);
  } else if (!parsed->windowClass.name.empty()) {
    className = parsed->windowClass.name.c_str();
  }
  HWND dialog;
  {
    DialogOffer offer(procedure, state);
    dialog = CreateWindowExW(parsed->exStyle, className, parsed->title.c_str(), parsed->style & ~WS_VISIBLE,
                             origin.x, origin.y, area.right, area.bottom, owner, nullptr, instance,
                             reinterpret_cast<LPVOID>(initParam));
    if (dialog && !DialogStateOf(dialog)) AdoptDialog(dialog);
  }
  if (!dialog) {
    if (state->ownsFont && state->font) DeleteObject(state->font);
    state->font = nullptr;
    return nullptr;
  }
  if (state->font) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
  HWND focus = nullptr;
  if (!IsWindow(dialog) || !CreateItems(dialog, instance, *parsed, *state, &focus)) {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return nullptr;
  }
  LRESULT wantsFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), initParam);
  if (!IsWindow(dialog)) return nullptr;
  if (wantsFocus && focus && IsWindow(focus)) SetFocus(focus);
  return dialog;
}

}  // namespace quorla
