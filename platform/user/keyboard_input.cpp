// Key events to queued messages, and WM_CHAR from TranslateMessage.
#include "activation.h"
#include "input_events.h"
#include "key_state.h"
#include "message_queue.h"
#include "non_client_input.h"
#include "thread_ui_state.h"
#include "ui_loop.h"
#include "window_tree.h"
#include "win/input.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

bool IsKeyDownMessage(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

bool SameMessage(const MSG& a, const MSG& b) {
  return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
         a.time == b.time;
}

// What a key typed when the toolkit did not say (a key message made by the
// program itself).
std::u16string TextOfKey(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    char16_t c = static_cast<char16_t>(virtualKey);
    return std::u16string(1, IsKeyDownForThread(VK_SHIFT) ? c : static_cast<char16_t>(c - 'A' + 'a'));
  }
  if (virtualKey >= '0' && virtualKey <= '9') return std::u16string(1, static_cast<char16_t>(virtualKey));
  switch (virtualKey) {
    case VK_SPACE:
      return u" ";
    case VK_RETURN:
      return u"\r";
    case VK_ESCAPE:
      return u"\x1b";
    case VK_BACK:
      return u"\b";
    case VK_TAB:
      return u"\t";
    default:
      return u"";
  }
}

}  // namespace

bool QueueKeyEvent(const KeyEvent& event) {
  NoteKey(event.virtualKey, event.down);
  HWND target = GetFocus();
  if (!target) target = GetActiveWindow();
  if (!target || !IsWindowEnabled(target)) return false;
  auto record = FindWindowRecord(target);
  auto queue = record ? record->queue.lock() : nullptr;
  if (!queue) return false;
  const bool system = event.alt || event.virtualKey == VK_MENU || event.virtualKey == VK_F10;
  MSG msg{};
  msg.hwnd = target;
  msg.message = event.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  msg.wParam = static_cast<WPARAM>(event.virtualKey);
  DWORD bits = 1 | ((event.scanCode & 0xFF) << 16);
  if (event.alt) bits |= 1u << 29;
  if (!event.down || event.autoRepeat) bits |= 1u << 30;  // the key was down before
  if (!event.down) bits |= 1u << 31;
  msg.lParam = static_cast<LPARAM>(bits);
  msg.time = event.time;
  QPoint pointer = LastPointerPosition();
  msg.pt = POINT{pointer.x(), pointer.y()};
  InputExtras extras;
  if (event.down) extras.text = event.text;
  extras.original = event.original;
  return queue->PostInput(msg, std::move(extras));
}

namespace {

// A press on a window whose top-level window is not active activates that
// window first, as clicking does on the platform.
void ActivateByClick(HWND hwnd) {
  HWND top = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    auto topLevel = window ? TopLevelLocked(window) : nullptr;
    if (!topLevel || (topLevel->exStyle & WS_EX_NOACTIVATE) || !IsVisibleLocked(*topLevel)) return;
    top = topLevel->handle;
  }
  if (CurrentUiState().active != top) ActivateWindow(top);
}

}  // namespace

void NoteInputMessageTaken(const MSG& msg, const InputExtras& extras) {
  // A non-client message counts as the client message it stands for, with
  // its keys.
  MSG client = msg;
  if (IsNonClientMouseMessage(msg.message)) {
    client.message = ClientMessageOf(msg.message);
    client.wParam = extras.keys;
  }
  NoteInputTaken(client);
  ThreadUiState& ui = CurrentUiState();
  const bool input = (client.message >= WM_MOUSEFIRST && client.message <= WM_MOUSELAST) || client.message == WM_KEYDOWN ||
                     client.message == WM_KEYUP || client.message == WM_SYSKEYDOWN || client.message == WM_SYSKEYUP;
  if (input) {
    ui.lastInput = msg;
    ui.lastInputEvent = extras.original;
    ui.typedWithKey.clear();  // the characters TranslateMessage posted for the previous key came before this
  }
  if (client.message >= WM_MOUSEFIRST && client.message <= WM_MOUSELAST) {
    const UINT m = client.message;
    const bool press = m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN;
    if (press && extras.setCursor) ActivateByClick(msg.hwnd);
    if (extras.setCursor && IsWindow(extras.cursorWindow)) {
      SendMessageW(extras.cursorWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(extras.cursorWindow),
                   MAKELPARAM(static_cast<WORD>(extras.hitCode), static_cast<WORD>(m)));
    }
    return;
  }
  if (IsKeyDownMessage(msg.message)) {
    ui.lastKey = msg;
    ui.lastKeyText = extras.text;
    ui.lastKeyTypesItself = extras.original != nullptr;
  }
}

}  // namespace quorla

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
  if (!quorla::IsKeyDownMessage(msg->message)) return FALSE;
  quorla::ThreadUiState& state = quorla::CurrentUiState();
  std::u16string text = quorla::SameMessage(*msg, state.lastKey) ? state.lastKeyText
                                                                 : quorla::TextOfKey(static_cast<int>(msg->wParam));
  UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  const bool typed = state.lastKeyTypesItself && quorla::SameMessage(*msg, state.lastKey);
  for (char16_t c : text) {
    if (!PostMessageW(msg->hwnd, charMessage, static_cast<WPARAM>(c), msg->lParam)) continue;
    if (typed && charMessage == WM_CHAR)
      state.typedWithKey.push_back(MSG{msg->hwnd, charMessage, static_cast<WPARAM>(c), msg->lParam, msg->time, msg->pt});
  }
  return TRUE;
}
