// Mouse events to queued messages: target, the part of it under the pointer
// (client or not), the point, double clicks, and the WM_SETCURSOR that goes
// before each message.
#include <array>
#include <atomic>
#include <cstdlib>

#include "activation.h"
#include "hit_testing.h"
#include "input_events.h"
#include "key_state.h"
#include "non_client_input.h"
#include "owned_windows.h"
#include "message_queue.h"
#include "mouse_leave_tracking.h"
#include "thread_ui_state.h"
#include "ui_loop.h"
#include "window_tree.h"
#include "win/input.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

std::atomic<long long> g_lastPointer{0};

void StorePointer(QPoint p) {
  g_lastPointer.store((static_cast<long long>(p.x()) << 32) | static_cast<std::uint32_t>(p.y()));
}

UINT ButtonMessage(UINT button, int step) {  // step 0 down, 1 up, 2 double click
  UINT first = button == VK_RBUTTON ? WM_RBUTTONDOWN : button == VK_MBUTTON ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
  return first + static_cast<UINT>(step);
}

bool ClassTakesDoubleClicks(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  return window && window->windowClass && (window->windowClass->info.style & CS_DBLCLKS);
}

// Whether the press of this button was already turned into a message, per
// button (a toolkit may report the second press of a double click both as a
// press and as a double click).
std::array<bool, 3>& PressSeen() {
  thread_local std::array<bool, 3> seen{};
  return seen;
}

int ButtonIndex(UINT button) { return button == VK_RBUTTON ? 1 : button == VK_MBUTTON ? 2 : 0; }

// A press on a disabled top-level window, such as the owner of a modal
// dialog, takes no input but brings that dialog up and activates it, as on
// the platform, so a dialog that went behind its owner is never lost.
void BringUpWhatKeepsItDisabled(QPoint screen) {
  HWND top = nullptr;
  const HWND pressed = WindowAtScreenPoint(screen, false);
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto under = FindWindowRecordLocked(pressed);
    auto topLevel = under ? TopLevelLocked(under) : nullptr;
    if (!topLevel || topLevel->threadId != GetCurrentThreadId()) return;
    top = topLevel->handle;
  }
  HWND popup = ActivationTarget(top);
  if (popup == top) return;
  SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ActivateWindow(popup);
}

}  // namespace

QPoint LastPointerPosition() {
  long long v = g_lastPointer.load();
  return QPoint(static_cast<int>(v >> 32), static_cast<int>(static_cast<std::int32_t>(v & 0xFFFFFFFF)));
}

bool QueueMouseEvent(const MouseEvent& event) {
  ThreadUiState& state = CurrentUiState();
  StorePointer(event.screen);
  NotePointerForLeaveTracking(event.screen);
  NoteMouseKeys(event.keys);
  MouseEvent::Kind kind = event.kind;
  if (kind == MouseEvent::Kind::kDoubleClick) {
    if (PressSeen()[ButtonIndex(event.button)]) return true;  // its press made the message already
    kind = MouseEvent::Kind::kPress;
  }
  if (kind == MouseEvent::Kind::kPress) PressSeen()[ButtonIndex(event.button)] = true;
  if (kind == MouseEvent::Kind::kRelease) PressSeen()[ButtonIndex(event.button)] = false;

  HWND target = GetCapture();
  const bool captured = target != nullptr;
  if (!target) target = WindowAtScreenPoint(event.screen, true);
  if (kind == MouseEvent::Kind::kWheel) {
    HWND focus = GetFocus();
    if (focus) target = focus;
  }
  if (!target && kind == MouseEvent::Kind::kPress) BringUpWhatKeepsItDisabled(event.screen);
  if (!target) return false;
  // The window says which part of it is under the pointer; the capture
  // window takes everything as client input.
  int hit = HTCLIENT;
  if (!captured && kind != MouseEvent::Kind::kWheel) hit = AskHitTest(target, event.screen);
  const bool nonClient = hit != HTCLIENT;
  auto record = FindWindowRecord(target);
  auto queue = record ? record->queue.lock() : nullptr;
  if (!queue) return false;

  MSG msg{};
  msg.hwnd = target;
  msg.time = event.time;
  msg.pt = POINT{event.screen.x(), event.screen.y()};
  msg.wParam = event.keys;
  QPoint client;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    client = event.screen - ScreenOriginLocked(*record);
  }
  // Two 16-bit words: a point left of or above the client area (under
  // capture) keeps its sign in two's complement.
  msg.lParam = MAKELPARAM(static_cast<WORD>(client.x()), static_cast<WORD>(client.y()));
  switch (kind) {
    case MouseEvent::Kind::kMove:
      msg.message = WM_MOUSEMOVE;
      break;
    case MouseEvent::Kind::kRelease:
      msg.message = ButtonMessage(event.button, 1);
      break;
    case MouseEvent::Kind::kWheel:
      msg.message = WM_MOUSEWHEEL;
      msg.wParam = MAKEWPARAM(static_cast<WORD>(event.keys), static_cast<WORD>(static_cast<SHORT>(event.wheelDelta)));
      msg.lParam = MAKELPARAM(static_cast<WORD>(event.screen.x()), static_cast<WORD>(event.screen.y()));
      break;
    default: {
      LastPress& last = state.lastPress;
      const bool quick = last.hwnd == target && last.button == event.button && !last.wasDouble &&
                         event.time - last.time <= GetDoubleClickTime() && std::abs(last.screen.x - msg.pt.x) <= 2 &&
                         std::abs(last.screen.y - msg.pt.y) <= 2;
      // Outside the client part every window takes double clicks.
      const bool doubleClick = quick && (nonClient || ClassTakesDoubleClicks(target));
      msg.message = ButtonMessage(event.button, doubleClick ? 2 : 0);
      last = LastPress{target, event.button, event.time, msg.pt, doubleClick};
      break;
    }
  }
  if (nonClient) {
    msg.message = NonClientMessageOf(msg.message);
    msg.wParam = static_cast<WPARAM>(hit);
    msg.lParam = MAKELPARAM(static_cast<WORD>(event.screen.x()), static_cast<WORD>(event.screen.y()));
  }
  InputExtras extras;
  extras.setCursor = !captured && kind != MouseEvent::Kind::kWheel;
  extras.cursorWindow = target;
  extras.hitCode = hit;
  extras.keys = event.keys;
  extras.original = event.original;
  return queue->PostInput(msg, std::move(extras));
}

}  // namespace quorla

UINT GetDoubleClickTime() { return 500; }
