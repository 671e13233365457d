// Input messages replayed to the widget behind a hosted window, and the
// input-method compositions that keep their keys (hosted_widgets_qt.h).
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <map>
#include <memory>

#include "hosted_widgets_qt.h"
#include "key_codes_qt.h"
#include "key_state.h"
#include "thread_ui_state.h"
#include "win/input.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla {
namespace {

thread_local int g_replaying = 0;

// How long after a composition ended an Enter still counts as the one that
// ended it (an input method may let that key through after its commit).
constexpr ULONGLONG kCompositionEnterMs = 250;

struct Composition {
  bool active = false;
  ULONGLONG endedAt = 0;      // when it last ended; 0 once the next key came
  bool enterPressed = false;  // the Enter that ended it went down: its release too
};
std::map<HWND, Composition>& Compositions() {
  thread_local std::map<HWND, Composition> compositions;
  return compositions;
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }
bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}
bool IsButtonUp(UINT message) { return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP; }

Qt::MouseButtons ButtonsOf(WPARAM keys) {
  Qt::MouseButtons buttons;
  if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
  if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
  return buttons;
}

Qt::KeyboardModifiers ModifiersOf(WPARAM keys) {
  Qt::KeyboardModifiers modifiers;
  if (keys & MK_SHIFT) modifiers |= Qt::ShiftModifier;
  if (keys & MK_CONTROL) modifiers |= Qt::ControlModifier;
  if (GetKeyState(VK_MENU) < 0) modifiers |= Qt::AltModifier;
  return modifiers;
}

Qt::KeyboardModifiers HeldModifiers() {
  WPARAM keys = 0;
  if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
  return ModifiersOf(keys);
}

Qt::MouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return Qt::LeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return Qt::RightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return Qt::MiddleButton;
    default:
      return Qt::NoButton;
  }
}

// The event the loop kept with the message it last took, when this is that
// message; taken, so that it is replayed once.
std::shared_ptr<QEvent> TakeKeptEvent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ThreadUiState& state = CurrentUiState();
  const MSG& last = state.lastInput;
  if (!state.lastInputEvent || last.hwnd != hwnd || last.message != message || last.wParam != wParam ||
      last.lParam != lParam)
    return nullptr;
  return std::move(state.lastInputEvent);
}

bool Deliver(QWidget* target, QEvent* event) {
  QPointer<QWidget> guard(target);
  ++g_replaying;
  event->setAccepted(true);
  QCoreApplication::sendEvent(target, event);
  --g_replaying;
  return event->isAccepted();
}

// The deepest child of the hosted widget under a screen point, else the
// widget that takes the window's input.
QWidget* MouseTarget(HWND hwnd, QPoint global) {
  QWidget* widget = HostedWidgetOf(hwnd);
  QWidget* input = HostedInputWidgetOf(hwnd);
  if (widget && widget->isVisible()) {
    if (QWidget* child = widget->childAt(widget->mapFromGlobal(global))) return child;
  }
  return input ? input : widget;
}

void ReplayMouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const QEvent* kept) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd, &point);
  const QPoint global(point.x, point.y);
  QWidget* target = MouseTarget(hwnd, global);
  if (!target) return;
  const QPointF local = target->mapFromGlobal(QPointF(global));
  Qt::KeyboardModifiers modifiers = ModifiersOf(wParam);
  quint64 timestamp = 0;
  if (const auto* original = dynamic_cast<const QInputEvent*>(kept)) {
    modifiers = original->modifiers();
    timestamp = original->timestamp();
  }
  const Qt::MouseButton button = ButtonOf(message);
  const Qt::MouseButtons buttons = ButtonsOf(wParam);
  auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, local, local, QPointF(global), button, buttons, modifiers);
    if (timestamp) event.setTimestamp(timestamp);
    Deliver(target, &event);
  };
  if (message == WM_MOUSEMOVE) {
    send(QEvent::MouseMove);
  } else if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK) {
    send(QEvent::MouseButtonPress);  // the second press, which the double click stands for
    send(QEvent::MouseButtonDblClick);
  } else if (IsButtonDown(message)) {
    send(QEvent::MouseButtonPress);
  } else if (IsButtonUp(message)) {
    send(QEvent::MouseButtonRelease);
  }
}

bool ReplayWheel(HWND hwnd, WPARAM wParam, LPARAM lParam, const QEvent* kept) {
  const QPoint global(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QWidget* target = MouseTarget(hwnd, global);
  if (!target) return false;
  const WPARAM keys = LOWORD(wParam);
  const int delta = static_cast<SHORT>(HIWORD(wParam));
  Qt::KeyboardModifiers modifiers = ModifiersOf(keys);
  if (const auto* original = dynamic_cast<const QInputEvent*>(kept)) modifiers = original->modifiers();
  QWheelEvent event(target->mapFromGlobal(QPointF(global)), QPointF(global), QPoint(), QPoint(0, delta),
                    ButtonsOf(keys), modifiers, Qt::NoScrollPhase, false);
  return Deliver(target, &event);
}

void ReplayKey(HWND hwnd, UINT message, WPARAM wParam, const QEvent* kept) {
  QWidget* target = HostedInputWidgetOf(hwnd);
  if (!target) return;
  if (const auto* original = dynamic_cast<const QKeyEvent*>(kept)) {
    std::unique_ptr<QEvent> copy(original->clone());
    Deliver(target, copy.get());
    return;
  }
  // A key message the program made itself: the key without text (its
  // WM_CHAR, if any, types).
  const int key = QtKeyOf(static_cast<int>(wParam));
  if (!key) return;
  QKeyEvent event(message == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, HeldModifiers());
  Deliver(target, &event);
}

// A character the program sent or posted itself.
void TypeCharacter(HWND hwnd, WPARAM wParam) {
  QWidget* target = HostedInputWidgetOf(hwnd);
  if (!target) return;
  const auto c = static_cast<char16_t>(wParam);
  int key = 0;
  Qt::KeyboardModifiers modifiers;
  QString text;
  switch (c) {
    case u'\b':
      key = Qt::Key_Backspace;
      break;
    case u'\r':
    case u'\n':
      key = Qt::Key_Return;
      break;
    case 0x1B:
      key = Qt::Key_Escape;
      break;
    case u'\t':
      key = Qt::Key_Tab;
      break;
    default:
      if (c >= 1 && c <= 26) {  // Ctrl+letter, as the platform's edits take ^C, ^V, ^X
        key = Qt::Key_A + (c - 1);
        modifiers = Qt::ControlModifier;
      } else {
        text = QString(QChar(c));
      }
  }
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  Deliver(target, &press);
}

bool IsTypedWithKey(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto& typed = CurrentUiState().typedWithKey;
  auto it = std::find_if(typed.begin(), typed.end(), [&](const MSG& m) {
    return m.hwnd == hwnd && m.wParam == wParam && m.lParam == lParam;
  });
  if (it == typed.end()) return false;
  typed.erase(it);
  return true;
}

}  // namespace

bool ReplayingInput() { return g_replaying > 0; }

void PassToWidget(QWidget* target, QEvent* event) { Deliver(target, event); }

bool HandleHostedInputByDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const bool mouse = IsMouseMessage(message);
  const bool key = message == WM_KEYDOWN || message == WM_KEYUP;
  if (!mouse && !key && message != WM_CHAR) return false;
  if (!AnyHostedWindow() || !HostedWidgetOf(hwnd)) return false;
  PlaceHostedWidget(hwnd);
  *result = 0;
  std::shared_ptr<QEvent> kept = TakeKeptEvent(hwnd, message, wParam, lParam);
  if (message == WM_MOUSEWHEEL) {
    if (ReplayWheel(hwnd, wParam, lParam, kept.get())) return true;
    return false;  // unused: the default passes it to the parent
  }
  if (mouse) {
    if (IsButtonDown(message) && GetCapture() != hwnd) SetCapture(hwnd);
    ReplayMouse(hwnd, message, wParam, lParam, kept.get());
    if (IsButtonUp(message) && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd)
      ReleaseCapture();
    return true;
  }
  if (key) {
    ReplayKey(hwnd, message, wParam, kept.get());
    return true;
  }
  if (!IsTypedWithKey(hwnd, wParam, lParam)) TypeCharacter(hwnd, wParam);
  return true;
}

bool KeptKeyText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, std::u16string* text) {
  const ThreadUiState& state = CurrentUiState();
  const MSG& last = state.lastInput;
  const auto* key = dynamic_cast<const QKeyEvent*>(state.lastInputEvent.get());
  if (!key || last.hwnd != hwnd || last.message != message || last.wParam != wParam || last.lParam != lParam)
    return false;
  const QString typed = key->text();
  text->assign(reinterpret_cast<const char16_t*>(typed.utf16()), static_cast<size_t>(typed.size()));
  return true;
}

void NoteInputMethodEvent(HWND hwnd, QEvent* event) {
  if (event->type() != QEvent::InputMethod) return;
  auto* im = static_cast<QInputMethodEvent*>(event);
  Composition& composition = Compositions()[hwnd];
  const bool was = composition.active;
  composition.active = !im->preeditString().isEmpty();
  if (was && !composition.active) composition.endedAt = GetTickCount64();
}

bool KeyBelongsToComposition(HWND hwnd, QEvent* event) {
  auto& compositions = Compositions();
  auto it = compositions.find(hwnd);
  if (it == compositions.end()) return false;
  if (!IsWindow(hwnd)) {
    compositions.erase(it);
    return false;
  }
  Composition& c = it->second;
  if (c.active) return true;
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (enter && event->type() == QEvent::KeyRelease && c.enterPressed) {
    c.enterPressed = false;
    return true;
  }
  // Only the first key after the end can be the one that ended it.
  const bool ending = enter && event->type() == QEvent::KeyPress && c.endedAt &&
                      GetTickCount64() - c.endedAt <= kCompositionEnterMs;
  c.endedAt = 0;
  c.enterPressed = ending;
  return ending;
}

}  // namespace quorla
