// The header control's window procedure: the HDM_* messages over its items,
// its default layout and face, and the drag of a divider that changes an
// item's width, told to the parent as it goes.
#include <algorithm>

#include "control_classes.h"
#include "control_state.h"
#include "header_items.h"
#include "win/dc.h"
#include "win/header_control.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/text_draw.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

struct Tracking {
  bool active = false;
  int item = -1;
  int grabX = 0;       // where the press gripped the divider
  int startWidth = 0;  // the item's width then
};

struct HeaderState {
  HeaderItems items;
  HFONT font = nullptr;
  Tracking tracking;
};

HeaderState* StateOf(HWND hwnd) { return ControlStateOf<HeaderState>(hwnd); }

// Tells the parent about item with its width; the parent's answer.
LRESULT Notify(HWND hwnd, UINT code, int item, int width) {
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  HDITEMW record{};
  record.mask = HDI_WIDTH;
  record.cxy = width;
  NMHEADERW header{};
  header.hdr.hwndFrom = hwnd;
  header.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtrW(hwnd, GWLP_ID));
  header.hdr.code = code;
  header.iItem = item;
  header.iButton = 0;
  header.pitem = &record;
  return SendMessageW(parent, WM_NOTIFY, header.hdr.idFrom, reinterpret_cast<LPARAM>(&header));
}

HGDIOBJ FontOf(const HeaderState& s) { return s.font ? static_cast<HGDIOBJ>(s.font) : GetStockObject(DEFAULT_GUI_FONT); }

int DefaultHeight(const HeaderState& s) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, FontOf(s));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return static_cast<int>(metrics.tmHeight) + 8;
}

void Layout(const HeaderState& s, HWND hwnd, HDLAYOUT* layout) {
  if (!layout || !layout->prc || !layout->pwpos) return;
  RECT& area = *layout->prc;
  const int height = std::min<int>(DefaultHeight(s), std::max<LONG>(0, area.bottom - area.top));
  *layout->pwpos = WINDOWPOS{hwnd, nullptr, area.left, area.top, area.right - area.left, height,
                             SWP_NOZORDER | SWP_NOACTIVATE};
  area.top += height;
}

void FillWithColour(HDC dc, const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void Paint(HWND hwnd, const HeaderState& s) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(hwnd, &client);
  FillWithColour(dc, client, GetSysColor(COLOR_BTNFACE));
  const int saved = SaveDC(dc);
  SelectObject(dc, FontOf(s));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (int i = 0, left = 0; i < s.items.Count(); left += s.items.Width(i), ++i) {
    const int right = left + s.items.Width(i);
    RECT text{left + 6, 0, right - 6, client.bottom};
    const int justify = s.items.Format(i) & HDF_JUSTIFYMASK;
    const UINT align = justify == HDF_RIGHT ? DT_RIGHT : justify == HDF_CENTER ? DT_CENTER : DT_LEFT;
    const std::u16string& label = s.items.Text(i);
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text,
              align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    RECT divider{right - 1, 2, right, client.bottom - 2};
    FillWithColour(dc, divider, GetSysColor(COLOR_BTNSHADOW));
  }
  RestoreDC(dc, saved);
  EndPaint(hwnd, &paint);
}

void SetWidth(HWND hwnd, int item, int width) {
  HeaderState* s = StateOf(hwnd);
  if (!s || !s->items.Has(item) || s->items.Width(item) == width) return;
  if (Notify(hwnd, HDN_ITEMCHANGINGW, item, width)) return;  // the parent refuses
  s = StateOf(hwnd);
  if (!s || !s->items.Has(item)) return;
  HDITEMW record{};
  record.mask = HDI_WIDTH;
  record.cxy = width;
  s->items.Set(item, record);
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, HDN_ITEMCHANGEDW, item, width);
}

void BeginTrack(HWND hwnd, LPARAM point) {
  HeaderState* s = StateOf(hwnd);
  const int x = GET_X_LPARAM(point);
  const int item = s->items.DividerAt(x);
  if (item < 0) return;
  if (Notify(hwnd, HDN_BEGINTRACKW, item, s->items.Width(item))) return;
  s = StateOf(hwnd);
  if (!s || !s->items.Has(item)) return;
  s->tracking = Tracking{true, item, x, s->items.Width(item)};
  SetCapture(hwnd);
}

void Track(HWND hwnd, LPARAM point) {
  HeaderState* s = StateOf(hwnd);
  if (!s || !s->tracking.active) return;
  const Tracking t = s->tracking;
  const int width = std::max(0, t.startWidth + GET_X_LPARAM(point) - t.grabX);
  Notify(hwnd, HDN_TRACKW, t.item, width);
  SetWidth(hwnd, t.item, width);
}

// The release, or the capture gone elsewhere.
void EndTrack(HWND hwnd) {
  HeaderState* s = StateOf(hwnd);
  if (!s || !s->tracking.active) return;
  const int item = s->tracking.item;
  s->tracking = Tracking{};  // before the capture goes, so that its loss ends nothing more
  if (GetCapture() == hwnd) ReleaseCapture();
  s = StateOf(hwnd);
  if (!s || !s->items.Has(item)) return;
  Notify(hwnd, HDN_ENDTRACKW, item, s->items.Width(item));
}

bool OverDivider(HWND hwnd, const HeaderState& s) {
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(hwnd, &pointer);
  return s.items.DividerAt(pointer.x) >= 0;
}

LRESULT Control(HWND hwnd, HeaderState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  auto* item = reinterpret_cast<HDITEMW*>(lParam);
  switch (message) {
    case HDM_GETITEMCOUNT:
      return s.items.Count();
    case HDM_INSERTITEMW: {
      if (!item) return -1;
      const int at = s.items.Insert(index, *item);
      if (at >= 0) InvalidateRect(hwnd, nullptr, TRUE);
      return at;
    }
    case HDM_DELETEITEM:
      if (!s.items.Delete(index)) return FALSE;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case HDM_GETITEMW:
      return item && s.items.Get(index, *item);
    case HDM_SETITEMW:
      if (!item || !s.items.Set(index, *item)) return FALSE;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case HDM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect || !s.items.Has(index)) return FALSE;
      RECT client;
      GetClientRect(hwnd, &client);
      const int left = s.items.Left(index);
      *rect = RECT{left, 0, left + s.items.Width(index), client.bottom};
      return TRUE;
    }
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (!info) return -1;
      RECT client;
      GetClientRect(hwnd, &client);
      const POINT p = info->pt;
      info->iItem = -1;
      if (p.y < 0) info->flags = HHT_ABOVE;
      else if (p.y >= client.bottom) info->flags = HHT_BELOW;
      else if (p.x < 0) info->flags = HHT_TOLEFT;
      else if ((info->iItem = s.items.DividerAt(p.x)) >= 0) info->flags = HHT_ONDIVIDER;
      else if ((info->iItem = s.items.ItemAt(p.x)) >= 0) info->flags = HHT_ONHEADER;
      else info->flags = HHT_NOWHERE;
      return info->iItem;
    }
    case HDM_LAYOUT:
      Layout(s, hwnd, reinterpret_cast<HDLAYOUT*>(lParam));
      return TRUE;
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK HeaderControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  HeaderState* s = ControlStateFor<HeaderState>(hwnd, message);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message >= HDM_FIRST && message < HDM_FIRST + 0x100) return Control(hwnd, *s, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the face covers everything
    case WM_PAINT:
      Paint(hwnd, *s);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      BeginTrack(hwnd, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking.active) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        Track(hwnd, lParam);
      }
      return 0;
    case WM_LBUTTONUP:
      if (s->tracking.active) {
        Track(hwnd, lParam);
        EndTrack(hwnd);
      }
      return 0;
    case WM_CAPTURECHANGED:
      EndTrack(hwnd);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OverDivider(hwnd, *s)) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quorla
