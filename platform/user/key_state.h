#pragma once
// The up/down state of keys and mouse buttons: as the input last saw it
// (GetAsyncKeyState), and per thread as of the last input message the thread
// took from its queue (GetKeyState).
#include "win/messages.h"

namespace quorla {

void NoteKey(int virtualKey, bool down);
// Mouse buttons, shift and control from a mouse event's MK_* flags.
void NoteMouseKeys(WPARAM keys);
bool IsKeyDown(int virtualKey);

// An input message was taken from the calling thread's queue.
void NoteInputTaken(const MSG& msg);
bool IsKeyDownForThread(int virtualKey);

}  // namespace quorla
