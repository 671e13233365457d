#include "input_filter_qt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "hosted_widgets_qt.h"
#include "input_events.h"
#include "key_codes_qt.h"
#include "mouse_leave_tracking.h"
#include "window_widget_qt.h"
#include "win/input.h"
#include "win/time.h"

namespace quorla {
namespace {

QPointer<QWidget> g_pointerWidget;

WPARAM KeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM keys = 0;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  return keys;
}

UINT ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return VK_RBUTTON;
    case Qt::MiddleButton:
      return VK_MBUTTON;
    default:
      return VK_LBUTTON;
  }
}

void ConvertMouse(QMouseEvent* e) {
  MouseEvent event;
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      event.kind = MouseEvent::Kind::kPress;
      break;
    case QEvent::MouseButtonRelease:
      event.kind = MouseEvent::Kind::kRelease;
      break;
    case QEvent::MouseButtonDblClick:
      event.kind = MouseEvent::Kind::kDoubleClick;
      break;
    default:
      event.kind = MouseEvent::Kind::kMove;
      break;
  }
  event.button = ButtonOf(e->button());
  event.screen = e->globalPosition().toPoint();
  event.time = GetTickCount();
  event.keys = KeysOf(e->buttons(), e->modifiers());
  event.original.reset(e->clone());
  QueueMouseEvent(event);
}

void ConvertWheel(QWheelEvent* e) {
  MouseEvent event;
  event.kind = MouseEvent::Kind::kWheel;
  event.screen = e->globalPosition().toPoint();
  event.time = GetTickCount();
  event.keys = KeysOf(e->buttons(), e->modifiers());
  event.wheelDelta = e->angleDelta().y();
  event.original.reset(e->clone());
  if (event.wheelDelta != 0) QueueMouseEvent(event);
}

void ConvertKey(QKeyEvent* e) {
  KeyEvent event;
  event.down = e->type() == QEvent::KeyPress;
  event.virtualKey = VirtualKeyOf(e->key());
  event.autoRepeat = e->isAutoRepeat();
  event.alt = (e->modifiers() & Qt::AltModifier) != 0;
  QString text = e->text();
  event.text.assign(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
  event.scanCode = e->nativeScanCode();
  event.time = GetTickCount();
  event.original.reset(e->clone());
  // A key without a code of its own that types something still types it.
  if (event.virtualKey == 0 && !event.text.empty() && event.text[0] >= u' ') event.virtualKey = VK_PACKET;
  if (event.virtualKey != 0) QueueKeyEvent(event);
}

// A wheel that reaches a window's own widget over a hosted widget was handed
// on by that widget (unused), not turned by the user: the user's wheel
// reaches the hosted widget first.
bool HandedOnByHostedWidget(WindowWidget* widget, QWheelEvent* e) {
  if (!AnyHostedWindow()) return false;
  QWidget* child = widget->childAt(widget->mapFromGlobal(e->globalPosition()).toPoint());
  return child && HostedWindowOfObject(child);
}

bool IsInputEvent(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Enter:
    case QEvent::Leave:
      return true;
    default:
      return false;
  }
}

// What the filter does for a widget that backs a window itself.
bool FilterHosted(HWND hwnd, QWidget* target, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      g_pointerWidget = target->window();
      ConvertMouse(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::Wheel:
      ConvertWheel(static_cast<QWheelEvent*>(event));
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (KeyBelongsToComposition(hwnd, event)) {
        // The widget's, unqueued; what it leaves to its parents stays theirs.
        PassToWidget(target, event);
        return true;
      }
      ConvertKey(static_cast<QKeyEvent*>(event));
      return true;
    case QEvent::InputMethod:
      NoteInputMethodEvent(hwnd, event);
      return false;
    case QEvent::FocusIn:
      NoteQtFocusIn(target, static_cast<QFocusEvent*>(event)->reason());
      return false;
    case QEvent::ContextMenu:
      return true;  // no toolkit menu with a loop of its own
    default:
      return false;
  }
}

class InputFilter final : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    // Replayed input, and what a widget hands on to its parents while it
    // handles it, is the widget's business; the focus it takes while it
    // handles it (a click into a page's field) is the layer's news.
    if (ReplayingInput()) {
      if (event->type() == QEvent::FocusIn && target->isWidgetType() && AnyHostedWindow() &&
          !dynamic_cast<WindowWidget*>(target))
        NoteQtFocusIn(static_cast<QWidget*>(target), static_cast<QFocusEvent*>(event)->reason());
      return false;
    }
    // Only widgets that get input are asked for their type: the web engine's
    // own objects carry no type information, and a dynamic_cast crashes on
    // them.
    const QEvent::Type type = event->type();
    if (!IsInputEvent(type) && type != QEvent::InputMethod && type != QEvent::FocusIn &&
        type != QEvent::ContextMenu)
      return false;
    if (!target->isWidgetType()) return false;
    auto* widget = dynamic_cast<WindowWidget*>(target);
    if (!widget) {
      if (!AnyHostedWindow()) return false;
      HWND hosted = HostedWindowOfObject(target);
      if (!hosted || !FilterHosted(hosted, static_cast<QWidget*>(target), event)) return false;
      event->setAccepted(true);  // taken: Qt hands it on to no parent
      return true;
    }
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        g_pointerWidget = widget;
        ConvertMouse(static_cast<QMouseEvent*>(event));
        return true;
      case QEvent::Wheel:
        if (HandedOnByHostedWidget(widget, static_cast<QWheelEvent*>(event))) return false;
        ConvertWheel(static_cast<QWheelEvent*>(event));
        return true;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        ConvertKey(static_cast<QKeyEvent*>(event));
        return true;
      case QEvent::Enter:
        g_pointerWidget = widget;
        return false;
      case QEvent::Leave:
        NotePointerLeftWindows();
        return false;
      default:
        return false;
    }
  }
};

}  // namespace

void InstallInputFilter() {
  static InputFilter* filter = nullptr;
  if (filter) return;
  filter = new InputFilter;  // lives as long as the application
  QCoreApplication::instance()->installEventFilter(filter);
}

QWidget* PointerWidget() { return g_pointerWidget.data(); }

}  // namespace quorla
