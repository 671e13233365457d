#include "modal_loop.h"

namespace quorla {
namespace {

// How many modal loops of this thread are inside GetMessageW, where only a
// message makes them look at their end condition again.
thread_local int t_loopsWaiting = 0;

struct WaitingLoop {
  WaitingLoop() { ++t_loopsWaiting; }
  ~WaitingLoop() { --t_loopsWaiting; }
};

}  // namespace

ModalLoopEnd RunModalLoop(const ModalLoopSteps& steps) {
  bool wantsIdle = static_cast<bool>(steps.idle);
  while (!steps.ended()) {
    MSG msg{};
    if (wantsIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      wantsIdle = steps.idle();
      if (steps.ended()) break;
    }
    BOOL got;
    {
      WaitingLoop waiting;
      got = GetMessageW(&msg, nullptr, 0, 0);
    }
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return ModalLoopEnd::kQuit;
    }
    if (got == -1) continue;
    // The wake-up carries nothing.
    if (msg.message == WM_NULL && !msg.hwnd) continue;
    if (steps.filter && steps.filter(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return ModalLoopEnd::kCondition;
}

void WakeModalLoop() {
  if (t_loopsWaiting > 0) PostMessageW(nullptr, WM_NULL, 0, 0);
}

}  // namespace quorla
