#include "page_input_registration_qt.h"

#include <QEvent>
#include <QWidget>

#include "hosted_widgets_qt.h"

namespace quorla {

PageInputRegistration::PageInputRegistration(HWND hwnd, QWidget* view) : hwnd_(hwnd), view_(view) {
  if (!view_) return;
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  view_->installEventFilter(this);
  input_ = view_->focusProxy();
  HostWidget(hwnd_, view_, input_);
}

PageInputRegistration::~PageInputRegistration() {
  if (view_) view_->removeEventFilter(this);
  // Only while the view is still the window's: a view the window no longer
  // shows was let go already.
  if (view_ && HostedWidgetOf(hwnd_) == view_) UnhostWidget(hwnd_);
}

void PageInputRegistration::Place() {
  if (!view_) return;
  FollowInputWidget();
  PlaceHostedWidget(hwnd_);
}

void PageInputRegistration::FollowInputWidget() {
  if (!view_) return;
  QWidget* now = view_->focusProxy();
  if (now == input_) return;
  input_ = now;
  SetHostedInputWidget(hwnd_, now);
}

bool PageInputRegistration::eventFilter(QObject* watched, QEvent* event) {
  // The engine swaps its input widget as a child of the view; it sets the
  // view's focus proxy to it while it does, so the proxy is read once that
  // is over.
  if (watched == view_ && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved ||
                           event->type() == QEvent::ChildPolished))
    QMetaObject::invokeMethod(this, [this] { FollowInputWidget(); }, Qt::QueuedConnection);
  return false;
}

}  // namespace quorla
