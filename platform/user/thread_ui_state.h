#pragma once
// Per-thread state of the user interface: the capture, the keyboard focus,
// the active window, the last press (for double clicks) and the cursor.
// Each thread sees only its own.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win/geometry.h"
#include "win/messages.h"
#include "win/types.h"

class QEvent;

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
  // Whether a widget behind a window types that key itself (the toolkit's
  // event came with it).
  bool lastKeyTypesItself = false;
  // The last input message taken from the queue and the toolkit's event it
  // came from, until a widget behind the window replays it.
  MSG lastInput{};
  std::shared_ptr<QEvent> lastInputEvent;
  // The characters TranslateMessage posted for such a key: already typed.
  std::vector<MSG> typedWithKey;
  // Notifications put off until the loop comes round (see ui_loop.h).
  std::vector<std::function<void()>> deferred;
};

ThreadUiState& CurrentUiState();

}  // namespace quorla
