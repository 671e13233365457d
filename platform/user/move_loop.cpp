#include "move_loop.h"

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
  // A child moves in its parent's client coordinates.
  POINT origin{start.left, start.top};
  if (HWND parent = GetParent(hwnd); parent && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
    ScreenToClient(parent, &origin);
  // The pointer where the input last saw it (the press that started the
  // move, as a rule): the same frame as the moves that follow, whereas the
  // desktop's live pointer may already be ahead of the queued input.
  const QPoint seen = LastPointerPosition();
  const POINT grab{seen.x(), seen.y()};
  if (GetCapture() != hwnd) SetCapture(hwnd);

  bool done = false;
  auto moveTo = [&](POINT pointer) {
    SetWindowPos(hwnd, nullptr, origin.x + pointer.x - grab.x, origin.y + pointer.y - grab.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
