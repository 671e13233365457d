// The "Button" control's window procedure: its press, highlight, focus and
// click, the check of radio buttons, and its drawing (push_button_face.cpp,
// radio_button_face.cpp, or the parent's for owner-drawn buttons).
#include <string>

#include "control_classes.h"
#include "control_state.h"
#include "dialog_navigation.h"
#include "push_button_face.h"
#include "radio_button_face.h"
#include "win/buttons.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

struct ButtonState {
  UINT state = 0;         // BST_PUSHED, BST_FOCUS, BST_CHECKED
  bool pressing = false;  // between the press and the release
  HFONT font = nullptr;
};

ButtonState* StateOf(HWND hwnd) { return ControlStateOf<ButtonState>(hwnd); }

DWORD Kind(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

HWND Owner(HWND hwnd) { return GetParent(hwnd); }

bool IsRadio(DWORD kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }

UINT ItemState(HWND hwnd, const ButtonState& s) {
  UINT state = 0;
  if (s.state & BST_PUSHED) state |= ODS_SELECTED;
  if (s.state & BST_FOCUS) state |= ODS_FOCUS;
  if (!IsWindowEnabled(hwnd)) state |= ODS_DISABLED;
  return state;
}

std::u16string TextOf(HWND hwnd) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Draw(HWND hwnd, const ButtonState& s, HDC dc, UINT action) {
  RECT client;
  GetClientRect(hwnd, &client);
  if (IsRadio(Kind(hwnd))) {
    HWND owner = Owner(hwnd);
    auto brush = owner ? reinterpret_cast<HBRUSH>(SendMessageW(owner, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                               reinterpret_cast<LPARAM>(hwnd)))
                       : nullptr;
    RadioButtonLook look;
    look.checked = (s.state & BST_CHECKED) != 0;
    look.pushed = (s.state & BST_PUSHED) != 0;
    look.disabled = !IsWindowEnabled(hwnd);
    DrawRadioButtonFace(dc, client, TextOf(hwnd), s.font, brush, look);
    return;
  }
  if (Kind(hwnd) != BS_OWNERDRAW) {
    PushButtonLook look;
    look.pushed = (s.state & BST_PUSHED) != 0;
    look.focused = (s.state & BST_FOCUS) != 0;
    look.disabled = !IsWindowEnabled(hwnd);
    look.isDefault = Kind(hwnd) == BS_DEFPUSHBUTTON;
    DrawPushButtonFace(dc, client, TextOf(hwnd), s.font, look);
    return;
  }
  HWND owner = Owner(hwnd);
  if (!owner) return;
  if (action == ODA_DRAWENTIRE) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(owner, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    if (brush) FillRect(dc, &client, brush);  // a hollow brush leaves what is there
  }
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetWindowLongPtrW(hwnd, GWLP_ID));
  item.itemAction = action;
  item.itemState = ItemState(hwnd, s);
  item.hwndItem = hwnd;
  item.hDC = dc;
  item.rcItem = client;
  SendMessageW(owner, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

// A change shows at once, as the platform's buttons draw it, not at the
// next WM_PAINT.
void DrawNow(HWND hwnd, UINT action) {
  ButtonState* s = StateOf(hwnd);
  if (!s || !IsWindowVisible(hwnd)) return;
  HDC dc = GetDC(hwnd);
  Draw(hwnd, *s, dc, action);
  ReleaseDC(hwnd, dc);
}

bool Inside(HWND hwnd, LPARAM point) {
  RECT client;
  GetClientRect(hwnd, &client);
  return PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != FALSE;
}

void Press(HWND hwnd, ButtonState& s) {
  s.pressing = true;
  SetCapture(hwnd);
  SetFocus(hwnd);
  if (StateOf(hwnd) && s.pressing) SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
}

// An automatic radio button that is clicked becomes the checked one of its
// group.
void CheckAlone(HWND hwnd) {
  for (HWND sibling : GroupAround(hwnd)) {
    const auto kind = static_cast<DWORD>(GetWindowLongPtrW(sibling, GWL_STYLE)) & BS_TYPEMASK;
    if (sibling != hwnd && IsRadio(kind)) SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
}

void Release(HWND hwnd, ButtonState& s, LPARAM point) {
  if (!s.pressing) return;
  s.pressing = false;  // before the capture goes, so that its loss ends nothing more
  const bool click = (s.state & BST_PUSHED) && Inside(hwnd, point);
  SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (click && IsWindow(hwnd) && Kind(hwnd) == BS_AUTORADIOBUTTON) CheckAlone(hwnd);
  if (click && IsWindow(hwnd)) {
    const auto id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
    if (HWND owner = Owner(hwnd))
      SendMessageW(owner, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
  }
}

}  // namespace

LRESULT CALLBACK ButtonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ButtonState* s = ControlStateFor<ButtonState>(hwnd, message);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the face, or the owner's drawing, covers the whole button
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (dc) Draw(hwnd, *s, dc, ODA_DRAWENTIRE);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(hwnd, *s);
      return 0;
    case WM_MOUSEMOVE:
      if (s->pressing && GetCapture() == hwnd) {
        const bool inside = Inside(hwnd, lParam);
        if (inside != ((s->state & BST_PUSHED) != 0)) SendMessageW(hwnd, BM_SETSTATE, inside, 0);
      }
      return 0;
    case WM_LBUTTONUP:
      Release(hwnd, *s, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (s->pressing) {
        s->pressing = false;
        SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
      }
      return 0;
    case WM_SETFOCUS:
      s->state |= BST_FOCUS;
      DrawNow(hwnd, ODA_FOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->state &= ~BST_FOCUS;
      DrawNow(hwnd, ODA_FOCUS);
      if (s->pressing && GetCapture() == hwnd) ReleaseCapture();  // the press ends without a click
      return 0;
    case WM_ENABLE:
      DrawNow(hwnd, ODA_DRAWENTIRE);
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case BM_GETSTATE:
      return static_cast<LRESULT>(s->state);
    case BM_GETCHECK:
      return (s->state & BST_CHECKED) ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK: {
      const UINT wanted = wParam == BST_CHECKED ? (s->state | BST_CHECKED) : (s->state & ~BST_CHECKED);
      if (wanted != s->state) {
        s->state = wanted;
        if (IsRadio(Kind(hwnd))) DrawNow(hwnd, ODA_DRAWENTIRE);
      }
      return 0;
    }
    case WM_GETDLGCODE: {
      const DWORD kind = Kind(hwnd);
      if (IsRadio(kind)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (kind == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    }
    case BM_SETSTATE: {
      const UINT wanted = wParam ? (s->state | BST_PUSHED) : (s->state & ~BST_PUSHED);
      if (wanted != s->state) {
        s->state = wanted;
        DrawNow(hwnd, ODA_SELECT);
      }
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(hwnd)) {
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
      }
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quorla
