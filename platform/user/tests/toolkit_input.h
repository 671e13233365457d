#pragma once
// Pointer input as the windowing system hands it to the toolkit: one event
// to the widget of a top-level window, at a screen point (the toolkit's
// implicit grab may bring it a point outside the window).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "window_access.h"

namespace quorla_test {

// For a move, `button` is the one held down meanwhile (Qt::NoButton for a
// plain move); a press or double click holds it, a release leaves none.
inline void SendMouse(HWND top, QEvent::Type type, QPoint screen, Qt::MouseButton button = Qt::LeftButton) {
  QWidget* widget = quorla::WidgetOfWindow(top);
  ASSERT_NE(widget, nullptr);
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, QPointF(screen - widget->geometry().topLeft()), QPointF(screen),
                    type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

}  // namespace quorla_test
