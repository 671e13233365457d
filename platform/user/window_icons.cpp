#include "window_icons.h"

#include "icon_object.h"
#include "message_queue.h"
#include "window_table.h"
#include "win/icons.h"
#include "win/threads.h"

namespace quorla {
namespace {

// On the window's own thread: the desktop's icon follows the window's.
void ShowIcons(HWND hwnd) {
  std::shared_ptr<WindowBackend> backend;
  HICON small = nullptr, big = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return;
    backend = window->ui.backend;
    small = window->ui.smallIcon;
    big = window->ui.bigIcon;
  }
  // The images are copied now: the icons stay the caller's to destroy.
  if (backend) backend->SetIcons(IconImage(small), IconImage(big));
}

}  // namespace

HICON SetWindowIcon(HWND hwnd, WPARAM kind, HICON icon) {
  if (kind != ICON_SMALL && kind != ICON_BIG) return nullptr;
  HICON previous = nullptr;
  bool ownThread = false, onScreen = false;
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window) return nullptr;
    HICON& slot = kind == ICON_SMALL ? window->ui.smallIcon : window->ui.bigIcon;
    previous = slot;
    slot = icon;
    onScreen = window->ui.backend != nullptr;
    ownThread = window->threadId == GetCurrentThreadId();
    queue = window->queue.lock();
  }
  if (onScreen && ownThread) ShowIcons(hwnd);
  else if (onScreen && queue) queue->PostTask([hwnd] { ShowIcons(hwnd); });
  return previous;
}

HICON WindowIcon(HWND hwnd, WPARAM kind) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  if (!window) return nullptr;
  if (kind == ICON_SMALL) return window->ui.smallIcon;
  if (kind == ICON_BIG) return window->ui.bigIcon;
  return nullptr;
}

}  // namespace quorla
