#pragma once
// Input from the windowing backend (or a test), turned into queued messages
// of the window's thread by the platform's rules (win/input.h). Called on the
// thread that owns the windows on screen.
#include <QPoint>
#include <memory>
#include <string>

#include "win/types.h"

class QEvent;

namespace quorla {

struct MouseEvent {
  enum class Kind { kMove, kPress, kRelease, kDoubleClick, kWheel };
  Kind kind = Kind::kMove;
  UINT button = 0;  // VK_LBUTTON, VK_RBUTTON or VK_MBUTTON for presses and releases
  QPoint screen;
  DWORD time = 0;
  WPARAM keys = 0;  // MK_* after the event
  int wheelDelta = 0;
  std::shared_ptr<QEvent> original;  // the toolkit's event, kept with the message
};

// False when no window takes the event (over no window of the process, or
// over a disabled one).
bool QueueMouseEvent(const MouseEvent& event);

struct KeyEvent {
  bool down = true;
  int virtualKey = 0;
  bool autoRepeat = false;
  bool alt = false;  // the Alt key is held: WM_SYSKEYDOWN/UP
  std::u16string text;  // what the press typed
  UINT scanCode = 0;
  DWORD time = 0;
  std::shared_ptr<QEvent> original;  // the toolkit's event, kept with the message
};

// False when no window has the focus and none is active.
bool QueueKeyEvent(const KeyEvent& event);

// The last pointer position the input saw (screen coordinates).
QPoint LastPointerPosition();

}  // namespace quorla
