#pragma once
// The message loop of a thread: takes and dispatches messages until WM_QUIT
// and returns its exit code. Modal loops (dialogs, menus, moving a window)
// run inside handlers and hand a WM_QUIT they meet back to this loop.
#include "win/messages.h"

namespace WTL {

class CMessageLoop {
 public:
  MSG m_msg{};

  // The wParam of the WM_QUIT that ended the loop.
  int Run() {
    for (;;) {
      BOOL got = ::GetMessageW(&m_msg, nullptr, 0, 0);
      if (got == -1) continue;  // a bad filter cannot happen here; keep going
      if (!got) break;
      ::TranslateMessage(&m_msg);
      ::DispatchMessageW(&m_msg);
    }
    return static_cast<int>(m_msg.wParam);
  }
};

}  // namespace WTL
