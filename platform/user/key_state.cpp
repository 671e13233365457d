#include "key_state.h"

#include <array>
#include <atomic>

#include "win/input.h"

namespace quorla {
namespace {

std::array<std::atomic<bool>, 256>& Keys() {
  static std::array<std::atomic<bool>, 256> keys{};
  return keys;
}

}  // namespace

void NoteKey(int virtualKey, bool down) {
  if (virtualKey > 0 && virtualKey < 256) Keys()[virtualKey].store(down);
}

void NoteMouseKeys(WPARAM keys) {
  NoteKey(VK_LBUTTON, (keys & MK_LBUTTON) != 0);
  NoteKey(VK_RBUTTON, (keys & MK_RBUTTON) != 0);
  NoteKey(VK_MBUTTON, (keys & MK_MBUTTON) != 0);
  NoteKey(VK_SHIFT, (keys & MK_SHIFT) != 0);
  NoteKey(VK_CONTROL, (keys & MK_CONTROL) != 0);
}

bool IsKeyDown(int virtualKey) { return virtualKey > 0 && virtualKey < 256 && Keys()[virtualKey].load(); }

}  // namespace quorla

SHORT GetKeyState(int virtualKey) { return quorla::IsKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0; }

SHORT GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }
