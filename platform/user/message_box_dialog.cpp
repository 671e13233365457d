#include "message_box_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "win/buttons.h"
#include "win/dialogs.h"
#include "win/gdi_objects.h"
#include "win/painting.h"
#include "win/system_metrics.h"
#include "win/text_draw.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// Sizes in pixels.
constexpr int kMargin = 14;
constexpr int kLongestLine = 460;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 8;
constexpr int kSmallestTextWidth = 160;

constexpr UINT kButtonKinds = 0x0F;  // MB_OK, MB_OKCANCEL, ...

struct BoxState {
  HWND owner = nullptr;  // its top-level window
  std::u16string text;
  bool cancels = false;  // the box offers Cancel
  RECT textRect{};
};

// Lays out a template the way resource compilers do: the header, no menu,
// the default class, the caption, the font, then each item on a DWORD
// boundary.
class TemplateWriter {
 public:
  void Header(DWORD style, WORD items, const std::u16string& caption) {
    DLGTEMPLATE header{style, 0, items, 0, 0, 200, 60};
    Raw(&header, sizeof header);
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(caption);
    Word(8);
    Text(u"MS Shell Dlg");
  }
  void Button(WORD id, DWORD style, const std::u16string& title) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    DLGITEMTEMPLATE item{WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 50, 14, id};
    Raw(&item, sizeof item);
    Word(0xFFFF);
    Word(0x0080);
    Text(title);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_()); }

 private:
  void Raw(const void* data, size_t size) {
    const auto* from = static_cast<const BYTE*>(data);
    bytes_.insert(bytes_.end(), from, from + size);
  }
  void Word(WORD value) { Raw(&value, sizeof value); }
  void Text(const std::u16string& text) {
    Raw(text.data(), text.size() * sizeof(char16_t));
    Word(0);
  }
  // DWORD-aligned storage for the caller.
  const void* words_() const {
    aligned_.assign((bytes_.size() + 3) / 4, 0);
    std::memcpy(aligned_.data(), bytes_.data(), bytes_.size());
    return aligned_.data();
  }
  std::vector<BYTE> bytes_;
  mutable std::vector<DWORD> aligned_;
};

BoxState* StateOf(HWND box) { return reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER)); }

HFONT FontOf(HWND box) { return reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)); }

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

// The text's size as drawn, at most kLongestLine wide.
SIZE MeasureText(HWND box, const std::u16string& text) {
  RECT rect{0, 0, kLongestLine, 0};
  HDC dc = GetDC(box);
  if (!dc) return {kLongestLine, 16};
  HGDIOBJ previous = SelectObject(dc, FontOf(box));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat | DT_CALCRECT);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(box, dc);
  return {std::max(kSmallestTextWidth, static_cast<int>(rect.right - rect.left)),
          std::max(16, static_cast<int>(rect.bottom - rect.top))};
}

// Text on top, the buttons right-aligned below it, the box centred on its
// owner (or the screen).
void Layout(HWND box, BoxState& state) {
  const SIZE text = MeasureText(box, state.text);
  const int buttons = state.cancels ? 2 : 1;
  const int buttonsWidth = buttons * kButtonWidth + (buttons - 1) * kButtonGap;
  const int width = std::max<int>(text.cx, buttonsWidth) + 2 * kMargin;
  const int height = kMargin + text.cy + kMargin + kButtonHeight + kMargin;
  state.textRect = {kMargin, kMargin, kMargin + text.cx, kMargin + text.cy};
  int x = width - kMargin - buttonsWidth;
  for (int id : {IDOK, IDCANCEL}) {
    HWND button = GetDlgItem(box, id);
    if (!button) continue;
    MoveWindow(button, x, height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight, TRUE);
    x += kButtonWidth + kButtonGap;
  }
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (state.owner && IsWindow(state.owner)) GetWindowRect(state.owner, &area);
  const int left = area.left + std::max(0, static_cast<int>(area.right - area.left) - width) / 2;
  const int top = area.top + std::max(0, static_cast<int>(area.bottom - area.top) - height) / 2;
  SetWindowPos(box, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintText(HWND box, const BoxState& state) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(box, &paint);
  if (!dc) return;
  HGDIOBJ previous = SelectObject(dc, FontOf(box));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT rect = state.textRect;
  DrawTextW(dc, state.text.c_str(), static_cast<int>(state.text.size()), &rect, kTextFormat);
  if (previous) SelectObject(dc, previous);
  EndPaint(box, &paint);
}

INT_PTR BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<BoxState*>(lParam);
      SetWindowLongPtrW(box, DWLP_USER, lParam);
      Layout(box, *state);
      return TRUE;  // the focus goes to OK
    }
    case WM_PAINT:
      if (BoxState* state = StateOf(box)) {
        PaintText(box, *state);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      BoxState* state = StateOf(box);
      if (!state || (id != IDOK && id != IDCANCEL)) return FALSE;
      EndDialog(box, id == IDCANCEL && state->cancels ? IDCANCEL : IDOK);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

int ShowMessageBoxDialog(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  BoxState state;
  for (HWND up = owner; up; up = GetParent(up)) state.owner = up;
  state.text = text ? text : u"";
  state.cancels = (type & kButtonKinds) == MB_OKCANCEL;
  TemplateWriter writer;
  writer.Header(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, state.cancels ? 2 : 1,
                caption ? caption : u"Error");
  writer.Button(IDOK, BS_DEFPUSHBUTTON, u"确定");
  if (state.cancels) writer.Button(IDCANCEL, BS_PUSHBUTTON, u"取消");
  const INT_PTR result = DialogBoxIndirectParamW(nullptr, writer.Get(), owner, BoxProcedure,
                                                 reinterpret_cast<LPARAM>(&state));
  if (result == IDOK || result == IDCANCEL) return static_cast<int>(result);
  return 0;
}

}  // namespace quorla
