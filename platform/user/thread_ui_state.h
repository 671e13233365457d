#pragma once
// Per-thread state of the user interface: the capture, the keyboard focus,
// the active window, the last press (for double clicks) and the cursor.
// Each thread sees only its own.
#include <functional>
#include <string>
#include <vector>

#include "win/geometry.h"
#include "win/messages.h"
#include "win/types.h"

namespace quorla {

struct LastPress {
  HWND hwnd = nullptr;
  UINT button = 0;  // VK_LBUTTON, VK_RBUTTON or VK_MBUTTON
  DWORD time = 0;
  POINT screen{};
  bool wasDouble = false;
};

struct ThreadUiState {
  HWND capture = nullptr;
  HWND focus = nullptr;
  HWND active = nullptr;
  LastPress lastPress;
  HCURSOR cursor = nullptr;
  // The last key message taken from the queue and what it typed.
  MSG lastKey{};
  std::u16string lastKeyText;
  // Notifications put off until the loop comes round (see ui_loop.h).
  std::vector<std::function<void()>> deferred;
};

ThreadUiState& CurrentUiState();

}  // namespace quorla
