#pragma once
// The up/down state of keys and mouse buttons, as the input last saw it.
#include "win/types.h"

namespace quorla {

void NoteKey(int virtualKey, bool down);
// Mouse buttons, shift and control from a mouse event's MK_* flags.
void NoteMouseKeys(WPARAM keys);
bool IsKeyDown(int virtualKey);

}  // namespace quorla
