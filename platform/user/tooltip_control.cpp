// The tooltip control's window procedure: tools, relayed mouse messages,
// the delays (timers of the tooltip window), showing and hiding the tip.
#include <algorithm>
#include <memory>
#include <string>

#include "control_classes.h"
#include "tooltip_face.h"
#include "tooltip_subclass.h"
#include "tooltip_tools.h"
#include "win/common_controls.h"
#include "win/input.h"
#include "win/monitors.h"
#include "win/painting.h"
#include "win/resources.h"
#include "win/timers.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// Timers of the tooltip window.
constexpr UINT_PTR kShowTimer = 1;   // the initial or reshow delay ran out
constexpr UINT_PTR kPopTimer = 2;    // the automatic-pop delay ran out
constexpr UINT_PTR kCheckTimer = 3;  // is the pointer still over the tool?
constexpr UINT kCheckPeriod = 100;

// How far below the pointer the tip's top edge goes: past a standard
// cursor's arrow.
constexpr int kBelowPointer = 20;

enum class Phase { kIdle, kWaiting, kShown };

struct ToolKey {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  bool set = false;
  bool Is(const TooltipTool& tool) const { return set && tool.SameKey(hwnd, id); }
};

ToolKey KeyOf(const TooltipTool& tool) { return ToolKey{tool.hwnd, tool.id, true}; }

// Kept in the window's extra bytes; made at WM_NCCREATE, freed at
// WM_NCDESTROY. The tooltip's thread only.
struct TooltipState {
  ToolList tools;
  bool active = true;
  UINT initial = 0, autopop = 0, reshow = 0;
  int maxWidth = -1;
  HFONT font = nullptr;
  Phase phase = Phase::kIdle;
  ToolKey current;     // the tool waited for or shown
  ToolKey suppressed;  // pressed or timed out: no tip until the pointer leaves it
  POINT pointer{};     // screen point of the last relayed message over the current tool
  std::u16string shownText;
};

TooltipState* StateOf(HWND hwnd) { return reinterpret_cast<TooltipState*>(GetWindowLongPtrW(hwnd, 0)); }

void SetDefaultDelays(TooltipState& s, UINT value) {
  s.initial = value;
  s.autopop = value * 10;
  s.reshow = value / 5;
}

LRESULT Notify(HWND tooltip, const TooltipTool& tool, UINT code, NMHDR* header) {
  header->hwndFrom = tooltip;
  header->idFrom = tool.id;
  header->code = code;
  return SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(header));
}

// The tool's text now: kept, or asked of the tool's window.
std::u16string TextOf(HWND tooltip, TooltipTool& tool) {
  if (!tool.callback) return tool.text;
  NMTTDISPINFOW info{};
  info.lpszText = info.szText;
  info.uFlags = tool.flags;
  info.lParam = tool.lParam;
  const ToolKey key = KeyOf(tool);
  Notify(tooltip, tool, TTN_GETDISPINFOW, &info.hdr);
  std::u16string text;
  if (info.lpszText == LPSTR_TEXTCALLBACKW || !info.lpszText) {
    text.clear();
  } else if (IS_INTRESOURCE(info.lpszText)) {
    const WCHAR* inside = nullptr;
    int length = LoadStringW(info.hinst, reinterpret_cast<ULONG_PTR>(info.lpszText), reinterpret_cast<LPWSTR>(&inside), 0);
    if (inside && length > 0) text.assign(inside, static_cast<size_t>(length));
  } else if (info.lpszText == info.szText) {
    text.assign(info.szText, std::find(std::begin(info.szText), std::end(info.szText), u'\0'));
  } else {
    text = info.lpszText;
  }
  // The answerer may have removed the tool meanwhile.
  if (info.uFlags & TTF_DI_SETITEM) {
    if (TooltipTool* still = StateOf(tooltip) ? StateOf(tooltip)->tools.Find(key.hwnd, key.id) : nullptr) {
      still->callback = false;
      still->text = text;
    }
  }
  return text;
}

TooltipLook LookOf(HWND tooltip, const TooltipState& s) {
  TooltipLook look;
  look.font = s.font;
  look.maxWidth = s.maxWidth;
  look.noPrefix = (GetWindowLongPtrW(tooltip, GWL_STYLE) & TTS_NOPREFIX) != 0;
  return look;
}

// Below the pointer, kept inside the work area of the pointer's monitor
// (above the pointer when there is no room below).
POINT PlaceNear(POINT pointer, SIZE size) {
  POINT at{pointer.x, pointer.y + kBelowPointer};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &info)) return at;
  const RECT& work = info.rcWork;
  if (at.x + size.cx > work.right) at.x = work.right - size.cx;
  if (at.y + size.cy > work.bottom) at.y = pointer.y - size.cy - 2;
  at.x = std::max<LONG>(at.x, work.left);
  at.y = std::max<LONG>(at.y, work.top);
  return at;
}

void StopTimers(HWND tooltip) {
  KillTimer(tooltip, kShowTimer);
  KillTimer(tooltip, kPopTimer);
  KillTimer(tooltip, kCheckTimer);
}

// Hides the tip (TTN_POP when it was shown) and forgets the tool.
void Pop(HWND tooltip, TooltipState& s) {
  const Phase was = s.phase;
  const ToolKey key = s.current;
  s.phase = Phase::kIdle;
  s.current = ToolKey{};
  StopTimers(tooltip);
  if (was != Phase::kShown) return;
  SetWindowPos(tooltip, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  if (TooltipTool* tool = s.tools.Find(key.hwnd, key.id)) {
    NMHDR header{};
    Notify(tooltip, *tool, TTN_POP, &header);
  }
}

void Wait(HWND tooltip, TooltipState& s, const TooltipTool& tool, UINT delay) {
  s.phase = Phase::kWaiting;
  s.current = KeyOf(tool);
  SetTimer(tooltip, kShowTimer, delay, nullptr);
  SetTimer(tooltip, kCheckTimer, kCheckPeriod, nullptr);
}

void Show(HWND tooltip, TooltipState& s) {
  KillTimer(tooltip, kShowTimer);
  TooltipTool* tool = s.tools.Find(s.current.hwnd, s.current.id);
  if (!tool || !s.active) {
    Pop(tooltip, s);
    return;
  }
  const ToolKey key = s.current;
  std::u16string text = TextOf(tooltip, *tool);
  tool = StateOf(tooltip) ? s.tools.Find(key.hwnd, key.id) : nullptr;
  if (!tool || !s.current.set) return;
  if (text.empty()) {
    // Nothing to show: no tip, and no more asking while the pointer stays.
    Pop(tooltip, s);
    s.suppressed = key;
    return;
  }
  s.shownText = text;
  const SIZE size = TooltipSize(tooltip, text, LookOf(tooltip, s));
  const POINT at = PlaceNear(s.pointer, size);
  SetWindowPos(tooltip, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
  NMHDR header{};
  Notify(tooltip, *tool, TTN_SHOW, &header);  // an answer of TRUE means the tip was placed there
  if (!StateOf(tooltip) || !s.current.set) return;
  InvalidateRect(tooltip, nullptr, FALSE);
  SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  s.phase = Phase::kShown;
  SetTimer(tooltip, kPopTimer, s.autopop, nullptr);
  SetTimer(tooltip, kCheckTimer, kCheckPeriod, nullptr);
}

bool IsPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
      return true;
    default:
      return false;
  }
}

void Relay(HWND tooltip, TooltipState& s, const MSG& msg) {
  if (msg.message == WM_MOUSELEAVE) {
    if (s.current.set) {
      const TooltipTool* tool = s.tools.Find(s.current.hwnd, s.current.id);
      if (!tool || tool->Window() == msg.hwnd) Pop(tooltip, s);
    }
    return;
  }
  const bool press = IsPress(msg.message);
  if (!press && msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) return;
  const TooltipTool* tool = s.tools.At(msg.hwnd, msg.pt);
  if (press) {
    Pop(tooltip, s);
    if (tool) s.suppressed = KeyOf(*tool);
    return;
  }
  if (!tool) {
    Pop(tooltip, s);
    s.suppressed = ToolKey{};
    return;
  }
  if (s.suppressed.Is(*tool)) return;
  s.suppressed = ToolKey{};
  if (!s.active) return;
  const bool moved = msg.pt.x != s.pointer.x || msg.pt.y != s.pointer.y;
  s.pointer = msg.pt;
  if (s.current.Is(*tool)) {
    // The pointer must rest: a move on the tool starts the wait again.
    if (s.phase == Phase::kWaiting && moved) SetTimer(tooltip, kShowTimer, s.initial, nullptr);
    return;
  }
  const bool wasShown = s.phase == Phase::kShown;
  Pop(tooltip, s);
  Wait(tooltip, s, *tool, wasShown ? s.reshow : s.initial);
}

// The pointer may have left without any relayed message saying so (off
// the program's windows, or over a window that relays nothing).
void CheckPointer(HWND tooltip, TooltipState& s) {
  const TooltipTool* tool = s.current.set ? s.tools.Find(s.current.hwnd, s.current.id) : nullptr;
  if (!tool) {
    Pop(tooltip, s);
    return;
  }
  POINT pointer;
  GetCursorPos(&pointer);
  const HWND under = WindowFromPoint(pointer);
  if (under != tool->Window() || !IsWindowVisible(under) || s.tools.At(under, pointer) != tool) {
    Pop(tooltip, s);
    s.suppressed = ToolKey{};
  }
}

void AddTool(HWND tooltip, TooltipState& s, const TOOLINFOW& info) {
  TooltipTool tool = ToolFromInfo(info);
  if (tool.flags & TTF_SUBCLASS) WatchToolWindow(tool.Window(), tooltip);
  s.tools.Add(std::move(tool));
}

void DeleteTool(HWND tooltip, TooltipState& s, const TOOLINFOW& info) {
  if (s.current.set && s.current.hwnd == info.hwnd && s.current.id == info.uId) Pop(tooltip, s);
  auto removed = s.tools.Remove(info.hwnd, info.uId);
  if (!removed || !(removed->flags & TTF_SUBCLASS)) return;
  for (const TooltipTool& other : s.tools.All())
    if ((other.flags & TTF_SUBCLASS) && other.Window() == removed->Window()) return;
  UnwatchToolWindow(removed->Window(), tooltip);
}

void UpdateText(HWND tooltip, TooltipState& s, const TOOLINFOW& info) {
  TooltipTool* tool = s.tools.Find(info.hwnd, info.uId);
  if (!tool) return;
  SetToolText(*tool, info.lpszText, info.hinst);
  if (s.phase != Phase::kShown || !s.current.Is(*tool)) return;
  // The shown tip follows at once.
  s.phase = Phase::kWaiting;
  Show(tooltip, s);
}

BOOL GetToolInfo(const TooltipState& s, TOOLINFOW* info, size_t textUnits) {
  const TooltipTool* tool = nullptr;
  for (const TooltipTool& t : s.tools.All())
    if (t.SameKey(info->hwnd, info->uId)) tool = &t;
  if (!tool) return FALSE;
  info->uFlags = tool->flags;
  info->rect = tool->rect;
  info->hinst = tool->instance;
  if (info->cbSize >= TTTOOLINFOW_V2_SIZE) info->lParam = tool->lParam;
  if (tool->callback) {
    info->lpszText = LPSTR_TEXTCALLBACKW;
  } else if (info->lpszText && textUnits > 0) {
    const size_t n = std::min(tool->text.size(), textUnits - 1);
    tool->text.copy(info->lpszText, n);
    info->lpszText[n] = 0;
  }
  return TRUE;
}

UINT DelayFrom(LPARAM lParam) {
  const auto value = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)));
  return value < 0 ? GetDoubleClickTime() : static_cast<UINT>(value);
}

LRESULT Control(HWND tooltip, TooltipState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFOW*>(lParam);
  switch (message) {
    case TTM_ADDTOOLW:
      if (!ValidToolInfo(info)) return FALSE;
      AddTool(tooltip, s, *info);
      return TRUE;
    case TTM_DELTOOLW:
      if (ValidToolInfo(info)) DeleteTool(tooltip, s, *info);
      return 0;
    case TTM_NEWTOOLRECTW:
      if (!ValidToolInfo(info)) return 0;
      if (TooltipTool* tool = s.tools.Find(info->hwnd, info->uId)) tool->rect = info->rect;
      return 0;
    case TTM_UPDATETIPTEXTW:
      if (ValidToolInfo(info)) UpdateText(tooltip, s, *info);
      return 0;
    case TTM_GETTOOLINFOW:
      return ValidToolInfo(info) ? GetToolInfo(s, info, 80) : FALSE;
    case TTM_GETTEXTW:
      if (ValidToolInfo(info)) GetToolInfo(s, info, wParam ? wParam : 80);
      return 0;
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(s.tools.Count());
    case TTM_RELAYEVENT:
      if (lParam) Relay(tooltip, s, *reinterpret_cast<const MSG*>(lParam));
      return 0;
    case TTM_ACTIVATE:
      s.active = wParam != 0;
      if (!s.active) Pop(tooltip, s);
      return 0;
    case TTM_POP:
      Pop(tooltip, s);
      return 0;
    case TTM_SETDELAYTIME: {
      const UINT value = DelayFrom(lParam);
      switch (wParam) {
        case TTDT_AUTOMATIC:
          SetDefaultDelays(s, value);
          break;
        case TTDT_RESHOW:
          s.reshow = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam))) < 0 ? value / 5 : value;
          break;
        case TTDT_AUTOPOP:
          s.autopop = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam))) < 0 ? value * 10 : value;
          break;
        case TTDT_INITIAL:
          s.initial = value;
          break;
        default:
          break;
      }
      return 0;
    }
    case TTM_GETDELAYTIME:
      switch (wParam) {
        case TTDT_RESHOW:
          return s.reshow;
        case TTDT_AUTOPOP:
          return s.autopop;
        default:
          return s.initial;
      }
    case TTM_SETMAXTIPWIDTH: {
      const int previous = s.maxWidth;
      s.maxWidth = static_cast<int>(lParam) < 0 ? -1 : static_cast<int>(lParam);
      return previous;
    }
    case TTM_GETMAXTIPWIDTH:
      return s.maxWidth;
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK TooltipProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* state = new TooltipState;
    SetDefaultDelays(*state, GetDoubleClickTime());
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
    // A tip never takes the focus, activation or the pointer, stays above
    // other windows and has no taskbar entry.
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>((style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                      static_cast<LONG_PTR>(exStyle | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE |
                                            WS_EX_TRANSPARENT));
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  TooltipState* s = StateOf(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message >= TTM_ACTIVATE && message <= TTM_UPDATETIPTEXTW) return Control(hwnd, *s, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      StopTimers(hwnd);
      UnwatchEverythingOf(hwnd);
      SetWindowLongPtrW(hwnd, 0, 0);
      delete s;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kShowTimer && s->phase == Phase::kWaiting) Show(hwnd, *s);
      else if (wParam == kPopTimer) {
        const ToolKey key = s->current;
        Pop(hwnd, *s);
        s->suppressed = key;  // not again until the pointer leaves the tool
      } else if (wParam == kCheckTimer) {
        CheckPointer(hwnd, *s);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT client;
      GetClientRect(hwnd, &client);
      if (dc) PaintTooltip(dc, client, s->shownText, LookOf(hwnd, *s));
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quorla
