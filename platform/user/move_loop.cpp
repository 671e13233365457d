#include "move_loop.h"

#include <algorithm>

#include "input_events.h"
#include "modal_loop.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCRBUTTONUP);
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Moves queued before the loop began lie behind the pointer the loop starts
// from: replayed, they would jerk the window back before it follows.
void DropQueuedMoves() {
  MSG stale{};
  while (PeekMessageW(&stale, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE) ||
         PeekMessageW(&stale, nullptr, WM_NCMOUSEMOVE, WM_NCMOUSEMOVE, PM_REMOVE)) {
  }
}

// Where a child may lie: wholly inside its parent's client area, or at its
// top-left edge when it is the larger.
struct Bounds {
  bool clamp = false;
  POINT most{};

  POINT Apply(POINT p) const {
    if (!clamp) return p;
    p.x = std::max<LONG>(0, std::min(p.x, most.x));
    p.y = std::max<LONG>(0, std::min(p.y, most.y));
    return p;
  }
};

Bounds ChildBounds(HWND parent, const RECT& window) {
  Bounds bounds;
  RECT client{};
  if (!parent || !GetClientRect(parent, &client)) return bounds;
  bounds.clamp = true;
  const LONG width = window.right - window.left, height = window.bottom - window.top;
  bounds.most = POINT{std::max<LONG>(0, client.right - width), std::max<LONG>(0, client.bottom - height)};
  return bounds;
}

}  // namespace

void RunMoveLoop(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  // A quick click: its release is queued already (over the caption it is a
  // non-client one).
  MSG release{};
  if (PeekMessageW(&release, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE) ||
      PeekMessageW(&release, nullptr, WM_NCLBUTTONUP, WM_NCLBUTTONUP, PM_REMOVE))
    return;
  if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) return;

  RECT start{};
  GetWindowRect(hwnd, &start);
  // A child moves in its parent's client coordinates and stays inside it.
  POINT origin{start.left, start.top};
  Bounds bounds;
  if (HWND parent = GetParent(hwnd); parent && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) {
    ScreenToClient(parent, &origin);
    bounds = ChildBounds(parent, start);
  }
  // The pointer where the input last saw it (the press that started the
  // move, or a move since, when the request was posted and handled later):
  // the travel counts from there, never from the point the request carried,
  // which a window may give in its client coordinates. The desktop's live
  // pointer may already be ahead of the queued input; the input's own record
  // is the frame the moves that follow are in.
  const QPoint seen = LastPointerPosition();
  const POINT grab{seen.x(), seen.y()};
  DropQueuedMoves();
  if (GetCapture() != hwnd) SetCapture(hwnd);

  bool done = false;
  auto moveTo = [&](POINT pointer) {
    const POINT place = bounds.Apply(POINT{origin.x + pointer.x - grab.x, origin.y + pointer.y - grab.y});
    SetWindowPos(hwnd, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  ModalLoopSteps steps;
  steps.ended = [&] { return done || !IsWindow(hwnd) || GetCapture() != hwnd; };
  steps.filter = [&](MSG& msg) {
    if (IsMouseMessage(msg.message)) {
      // Input queued before the loop took the capture may be non-client.
      if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) moveTo(msg.pt);
      if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
        moveTo(msg.pt);
        done = true;
      }
      return true;  // the loop owns the mouse
    }
    if (IsKeyMessage(msg.message)) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        moveTo(grab);
        done = true;
      }
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) done = true;
      return true;
    }
    return false;
  };
  RunModalLoop(steps);
  if (IsWindow(hwnd) && GetCapture() == hwnd) ReleaseCapture();
}

}  // namespace quorla
