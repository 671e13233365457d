#include "window_frame_style.h"

#include "message_queue.h"
#include "window_table.h"
#include "win/threads.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// The bits that decide between a decorated and a frameless window.
constexpr DWORD kFrameBits = WS_CAPTION | WS_THICKFRAME | WS_POPUP;

// On the window's own thread, which runs its widget.
void ApplyFrame(HWND hwnd) {
  std::shared_ptr<WindowBackend> backend;
  DWORD style = 0, exStyle = 0;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return;
    backend = window->ui.backend;
    style = window->style;
    exStyle = window->exStyle;
  }
  if (backend) backend->SetFrame(style, exStyle);
}

}  // namespace

DWORD ChangeWindowStyle(HWND hwnd, DWORD style) {
  DWORD previous = 0;
  bool ownThread = false, onScreen = false;
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return 0;
    previous = window->style;
    window->style = style;
    // A window never shown has no frame yet: it gets the one its style asks
    // for when it is first shown.
    onScreen = window->ui.backend != nullptr;
    ownThread = window->threadId == GetCurrentThreadId();
    queue = window->queue.lock();
  }
  if (!onScreen || !((previous ^ style) & kFrameBits)) return previous;
  if (ownThread) ApplyFrame(hwnd);
  else if (queue) queue->PostTask([hwnd] { ApplyFrame(hwnd); });
  return previous;
}

}  // namespace quorla
