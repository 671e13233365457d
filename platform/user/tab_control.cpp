// The tab control's window procedure: the TCM_* messages over its items,
// the press that selects a tab with its two notifications, and the
// tooltip's notifications passed on to the parent.
#include "control_classes.h"
#include "control_state.h"
#include "tab_items.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/tab_control.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

struct TabState {
  TabItems items;
  HWND tooltips = nullptr;
  HFONT font = nullptr;
};

TabState* StateOf(HWND hwnd) { return ControlStateOf<TabState>(hwnd); }

LRESULT Notify(HWND hwnd, UINT code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  NMHDR header{};
  header.hwndFrom = hwnd;
  header.idFrom = static_cast<UINT_PTR>(GetWindowLongPtrW(hwnd, GWLP_ID));
  header.code = code;
  return SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

void Press(HWND hwnd, LPARAM point) {
  TabState* s = StateOf(hwnd);
  const int hit = s->items.HitTest(POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
  if (hit < 0 || hit == s->items.Selected()) return;
  if (Notify(hwnd, TCN_SELCHANGING)) return;  // the parent keeps the selection
  // The parent may have destroyed the control or changed its items meanwhile.
  s = StateOf(hwnd);
  if (!s || !s->items.Has(hit)) return;
  s->items.Select(hit);
  Redraw(hwnd);
  Notify(hwnd, TCN_SELCHANGE);
}

LRESULT Control(HWND hwnd, TabState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  auto* item = reinterpret_cast<TCITEMW*>(lParam);
  switch (message) {
    case TCM_GETITEMCOUNT:
      return s.items.Count();
    case TCM_GETITEMW:
      return item && s.items.Get(index, *item);
    case TCM_SETITEMW:
      if (!item || !s.items.Set(index, *item)) return FALSE;
      Redraw(hwnd);
      return TRUE;
    case TCM_INSERTITEMW: {
      if (!item) return -1;
      const int at = s.items.Insert(index, *item);
      if (at >= 0) Redraw(hwnd);
      return at;
    }
    case TCM_DELETEITEM:
      if (!s.items.Delete(index)) return FALSE;
      Redraw(hwnd);
      return TRUE;
    case TCM_DELETEALLITEMS:
      s.items.Clear();
      Redraw(hwnd);
      return TRUE;
    case TCM_GETITEMRECT:
      return lParam && s.items.Rect(index, *reinterpret_cast<RECT*>(lParam));
    case TCM_GETCURSEL:
      return s.items.Selected();
    case TCM_SETCURSEL: {
      if (!s.items.Has(index)) return -1;
      const int previous = s.items.Select(index);
      if (previous != index) Redraw(hwnd);
      return previous;
    }
    case TCM_HITTEST: {
      auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
      if (!info) return -1;
      const int hit = s.items.HitTest(info->pt);
      info->flags = hit < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
      return hit;
    }
    case TCM_SETITEMSIZE: {
      const auto packed = static_cast<ULONG_PTR>(lParam);
      const SIZE previous = s.items.SetItemSize(SIZE{LOWORD(packed), HIWORD(packed)});
      Redraw(hwnd);
      return MAKELRESULT(static_cast<WORD>(previous.cx), static_cast<WORD>(previous.cy));
    }
    case TCM_GETROWCOUNT:
      return 1;
    case TCM_GETTOOLTIPS:
      return reinterpret_cast<LRESULT>(s.tooltips);
    case TCM_SETTOOLTIPS:
      s.tooltips = reinterpret_cast<HWND>(wParam);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK TabControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TabState* s = ControlStateFor<TabState>(hwnd, message);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message >= TCM_FIRST && message < TCM_FIRST + 0x100) return Control(hwnd, *s, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the owner paints everything
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(hwnd, lParam);
      return 0;
    case WM_NOTIFY: {
      // The tooltip asks its tools' window, this control, for what only
      // the parent knows.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      HWND parent = GetParent(hwnd);
      if (!header || !s->tooltips || header->hwndFrom != s->tooltips || !parent) return 0;
      return SendMessageW(parent, WM_NOTIFY, wParam, lParam);
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Redraw(hwnd);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quorla
