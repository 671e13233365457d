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

namespace {

std::array<bool, 256>& ThreadKeys() {
  thread_local std::array<bool, 256> keys{};
  return keys;
}

}  // namespace

void NoteInputTaken(const MSG& msg) {
  auto& keys = ThreadKeys();
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL) {
    keys[VK_LBUTTON] = (msg.wParam & MK_LBUTTON) != 0;
    keys[VK_RBUTTON] = (msg.wParam & MK_RBUTTON) != 0;
    keys[VK_MBUTTON] = (msg.wParam & MK_MBUTTON) != 0;
    keys[VK_SHIFT] = (msg.wParam & MK_SHIFT) != 0;
    keys[VK_CONTROL] = (msg.wParam & MK_CONTROL) != 0;
  } else if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam < 256) {
    keys[msg.wParam] = true;
  } else if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.wParam < 256) {
    keys[msg.wParam] = false;
  }
}

bool IsKeyDownForThread(int virtualKey) { return virtualKey > 0 && virtualKey < 256 && ThreadKeys()[virtualKey]; }

}  // namespace quorla

SHORT GetKeyState(int virtualKey) { return quorla::IsKeyDownForThread(virtualKey) ? static_cast<SHORT>(0x8000) : 0; }

SHORT GetAsyncKeyState(int virtualKey) { return quorla::IsKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0; }
