// The "Edit" control's window procedure: its text, selection, font and
// notifications (win/edit.h). The text lives in the window record, so that
// it reads the same from any thread; the selection lives here until the
// control has its text field on screen (edit_field_qt.h), which then holds
// both and keeps the window text up to date.
#include <QPointer>
#include <algorithm>
#include <string>

#include "address_history.h"
#include "control_classes.h"
#include "edit_field_qt.h"
#include "hosted_widgets_qt.h"
#include "thread_ui_state.h"
#include "window_table.h"
#include "win/dialogs.h"
#include "win/edit.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// Kept in the window's extra bytes from WM_NCCREATE to WM_NCDESTROY; only
// the control's thread touches it.
struct EditState {
  HFONT font = nullptr;
  int anchor = 0;  // where the selection started, until the field exists
  int caret = 0;   // where it ends, and the caret
  QPointer<EditField> field;
  bool completesAddresses = false;  // SHAutoComplete
  int typedLength = 0;  // the text's length after the user's last edit, without what completion added
  bool typedPending = false;  // typed during a message's default handling: told when it returns
};

// Set while the field's report of typing runs the program's handlers, which
// may destroy the control.
thread_local int g_inFieldReport = 0;

EditState* StateOf(HWND hwnd) { return reinterpret_cast<EditState*>(GetWindowLongPtrW(hwnd, 0)); }

std::u16string TextOf(HWND hwnd) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
  text.resize(static_cast<size_t>(DefWindowProcW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }

void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  const auto id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

// ES_NUMBER: whether typing this text is refused (control characters, such
// as the clipboard's Ctrl+V, are no typing).
bool RefusedByNumberStyle(HWND hwnd, const std::u16string& text) {
  if (!(StyleOf(hwnd) & ES_NUMBER)) return false;
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= u' ' && (c < u'0' || c > u'9'); });
}

// Positions arrive as 32-bit numbers, however wide the parameter (a DWORD
// of -1 is -1).
void SetSelection(HWND hwnd, EditState& s, int anchor, int caret) {
  const int length = GetWindowTextLengthW(hwnd);
  auto clamp = [length](int v) { return v < 0 || v > length ? length : v; };
  if (s.field) {
    if (anchor == -1) s.field->DropSelection();
    else s.field->Select(clamp(anchor), clamp(caret));
    return;
  }
  if (anchor == -1) {
    s.anchor = s.caret;  // only the selection goes
    return;
  }
  s.anchor = clamp(anchor);
  s.caret = clamp(caret);
}

LRESULT GetSelection(const EditState& s, WPARAM wParam, LPARAM lParam) {
  int first = std::min(s.anchor, s.caret), last = std::max(s.anchor, s.caret);
  if (s.field) s.field->Selection(&first, &last);
  if (auto* out = reinterpret_cast<DWORD*>(wParam)) *out = static_cast<DWORD>(first);
  if (auto* out = reinterpret_cast<DWORD*>(lParam)) *out = static_cast<DWORD>(last);
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(first), static_cast<WORD>(last)));
}

void ReplaceSelection(HWND hwnd, EditState& s, LPCWSTR replacement) {
  const std::u16string inserted = replacement ? replacement : u"";
  if (s.field) {
    s.field->ReplaceSelection(inserted);
  } else {
    std::u16string text = TextOf(hwnd);
    const auto start = static_cast<size_t>(std::min(s.anchor, s.caret));
    const auto end = static_cast<size_t>(std::max(s.anchor, s.caret));
    text.replace(start, end - start, inserted);
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    s.anchor = s.caret = static_cast<int>(start + inserted.size());
  }
  Notify(hwnd, EN_CHANGE);
}

// Completion of an address typed at the end: the rest of the latest loaded
// address that begins so is appended and selected, so that typing on
// replaces it.
void AppendCompletion(EditState& s) {
  EditField& field = *s.field;
  const std::u16string text = field.Text();
  const int length = static_cast<int>(text.size());
  const bool grewAtEnd = !field.hasSelectedText() && field.cursorPosition() == length && length > s.typedLength;
  s.typedLength = length;
  if (!grewAtEnd) return;
  const std::u16string completed = CompleteFromAddressHistory(text);
  if (completed.size() <= text.size()) return;
  field.setText(QString::fromUtf16(completed.data(), static_cast<qsizetype>(completed.size())));
  field.setSelection(length, static_cast<int>(completed.size()) - length);
}

// Completes what was typed and tells the parent, once the field has
// finished with the event that changed its text.
void FinishTyping(HWND hwnd) {
  EditState* s = StateOf(hwnd);
  if (!s || !s->field) return;
  s->typedPending = false;
  if (s->completesAddresses) AppendCompletion(*s);
  ++g_inFieldReport;
  Notify(hwnd, EN_CHANGE);
  --g_inFieldReport;
}

void ReportTyping(HWND hwnd) {
  EditState* s = StateOf(hwnd);
  if (!s || !s->field) return;
  if (ReplayingInput()) {
    // A replayed message: the window procedure tells when its default
    // handling returns.
    s->typedPending = true;
    return;
  }
  // An input method's text, inside the field's own event.
  QMetaObject::invokeMethod(s->field.data(), [hwnd] { FinishTyping(hwnd); }, Qt::QueuedConnection);
}

QWidget* MakeField(HWND hwnd) {
  EditState* s = StateOf(hwnd);
  if (!s || s->field) return nullptr;
  auto* field = new EditField(hwnd, StyleOf(hwnd), static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)),
                              [hwnd] { ReportTyping(hwnd); });
  if (s->font) field->SetFontFromHandle(s->font);
  field->SetTextFromProgram(TextOf(hwnd));
  field->Select(s->anchor, s->caret);
  s->typedLength = static_cast<int>(field->Text().size());
  s->field = field;
  return field;
}

void DestroyField(HWND hwnd, EditState& s) {
  UnhostWidget(hwnd);
  if (!s.field) return;
  // Still inside one of its own events: it goes when the loop comes round.
  if (ReplayingInput() || g_inFieldReport) {
    QPointer<EditField> later = s.field;
    CurrentUiState().deferred.push_back([later] { delete later.data(); });
  } else {
    delete s.field.data();
  }
}

}  // namespace

bool EnableAddressCompletion(HWND hwnd) {
  // The class counts, whatever subclass sits in front of its procedure.
  auto record = FindWindowRecord(hwnd);
  if (!record || !record->windowClass || record->windowClass->info.lpfnWndProc != &EditProcedure) return false;
  EditState* s = StateOf(hwnd);
  if (!s) return false;
  s->completesAddresses = true;
  return true;
}

namespace {

LRESULT HandleEditMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new EditState));
    // The text field comes when the control first shows on screen.
    HostWidgetWhenShown(hwnd, [hwnd] { return MakeField(hwnd); });
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  EditState* s = StateOf(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      DestroyField(hwnd, *s);
      SetWindowLongPtrW(hwnd, 0, 0);
      delete s;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;  // the text field covers the whole control
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      if (s->field) {
        s->field->SetTextFromProgram(TextOf(hwnd));
        s->typedLength = static_cast<int>(s->field->Text().size());
      }
      s->anchor = s->caret = 0;
      Notify(hwnd, EN_CHANGE);
      return result;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (s->field) s->field->SetFontFromHandle(s->font);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE:
      // The arrows move the caret, not the dialog's focus.
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS:
      Notify(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      Notify(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Focused before the click places the caret, all before the window
      // procedure that called this goes on.
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!IsWindow(hwnd)) return 0;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_KEYDOWN: {
      if (wParam == VK_TAB) return 0;  // one line: a tab moves nothing and types nothing
      std::u16string typed;
      if (KeptKeyText(hwnd, message, wParam, lParam, &typed) && RefusedByNumberStyle(hwnd, typed)) return 0;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    case WM_CHAR: {
      const std::u16string typed(1, static_cast<char16_t>(wParam));
      if (wParam == u'\t' || RefusedByNumberStyle(hwnd, typed)) return 0;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    case EM_SETSEL:
      SetSelection(hwnd, *s, static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case EM_GETSEL:
      return GetSelection(*s, wParam, lParam);
    case EM_REPLACESEL:
      ReplaceSelection(hwnd, *s, reinterpret_cast<LPCWSTR>(lParam));
      return 0;
    case EM_SCROLLCARET:
      if (s->field) s->field->update();  // the field scrolls to its caret as it paints
      return TRUE;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = HandleEditMessage(hwnd, message, wParam, lParam);
  if (EditState* s = StateOf(hwnd); s && s->typedPending) FinishTyping(hwnd);
  return result;
}

}  // namespace quorla
