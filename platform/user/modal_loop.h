#pragma once
// The loop of modal states (dialogs, pop-up menus, moving a window): the
// layer's own GetMessageW loop, so timers, posted and sent messages keep
// flowing while it runs. It ends when its end condition holds, checked
// before every message it takes, or at WM_QUIT, which it posts again so the
// loops outside end too. Code that makes the condition true from outside a
// dispatched message (a Qt signal, a message sent from another thread)
// calls WakeModalLoop so a loop blocked in GetMessageW looks again.
#include <functional>

#include "win/messages.h"

namespace quorla {

struct ModalLoopSteps {
  std::function<bool()> ended;
  // Called when the loop finds the queue empty, before it waits, until it
  // returns false.
  std::function<bool()> idle;
  // Sees each message first; true when it took the message.
  std::function<bool(MSG&)> filter;
};

enum class ModalLoopEnd { kCondition, kQuit };

ModalLoopEnd RunModalLoop(const ModalLoopSteps& steps);

// Makes a modal loop of the calling thread that waits for a message look at
// its end condition again.
void WakeModalLoop();

}  // namespace quorla
