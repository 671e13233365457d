// The standard cursors, SetCursor and GetCursorPos.
#include "cursors.h"

#include <array>
#include <mutex>

#include "input_events.h"
#include "thread_ui_state.h"
#include "win/input.h"
#include "win/last_error.h"

namespace quorla {
namespace {

constexpr DWORD kResourceNameNotFound = 1814;

constexpr std::array<int, 12> kStandardIds = {32512, 32513, 32514, 32515, 32642, 32643,
                                              32644, 32645, 32646, 32648, 32649, 32650};

}  // namespace
}  // namespace quorla

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  auto id = reinterpret_cast<ULONG_PTR>(name);
  if (instance || id > 0xFFFF) {
    SetLastError(quorla::kResourceNameNotFound);
    return nullptr;
  }
  static std::mutex lock;
  static std::array<HCURSOR, quorla::kStandardIds.size()> handles{};
  for (size_t i = 0; i < quorla::kStandardIds.size(); ++i) {
    if (static_cast<ULONG_PTR>(quorla::kStandardIds[i]) != id) continue;
    std::lock_guard<std::mutex> guard(lock);
    if (!handles[i]) {
      handles[i] = static_cast<HCURSOR>(quorla::InsertHandle(std::make_shared<quorla::CursorObject>(quorla::kStandardIds[i])));
    }
    return handles[i];
  }
  SetLastError(quorla::kResourceNameNotFound);
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  quorla::ThreadUiState& state = quorla::CurrentUiState();
  HCURSOR previous = state.cursor;
  state.cursor = cursor;
  auto object = cursor ? quorla::LookUpHandleAs<quorla::CursorObject>(cursor) : nullptr;
  quorla::ShowCursorShape(object.get());
  return previous;
}

HCURSOR GetCursor() { return quorla::CurrentUiState().cursor; }

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  if (quorla::DesktopPointerPosition(point)) return TRUE;
  QPoint last = quorla::LastPointerPosition();
  *point = POINT{last.x(), last.y()};
  return TRUE;
}
