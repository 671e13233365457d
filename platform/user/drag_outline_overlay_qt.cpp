// The drag-outline overlay as a bare Qt widget: no window record of the
// layer stands behind it, so no message, hit test or activation ever
// concerns it.
#include <QApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <mutex>

#include "drag_outline_overlay.h"

namespace quorla {
namespace {

std::mutex& AreaLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

QRegion& Area() {
  static auto* area = new QRegion;  // outlives every static destructor
  return *area;
}

class OverlayWidget final : public QWidget {
 public:
  OverlayWidget()
      : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                             Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                             Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("drag outline"));
  }

  void Follow(const QRegion& area) {
    if (area.isEmpty()) {
      hide();
      return;
    }
    const QRect box = area.boundingRect();
    setGeometry(box);
    setMask(area.translated(-box.topLeft()));
    show();
    // The offscreen platform keeps no stacking order and says so.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    // The half-tone checker, anchored to the screen so that it stays put
    // while the outline moves.
    painter.setBrushOrigin(-geometry().topLeft());
    painter.fillRect(event->rect(), QBrush(Qt::black, Qt::Dense4Pattern));
  }
};

OverlayWidget* Overlay() {
  static OverlayWidget* overlay = nullptr;  // lives as long as the application
  if (!overlay) overlay = new OverlayWidget;
  return overlay;
}

bool OnQtThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && app->thread() == QThread::currentThread();
}

void ShowCurrentArea() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  Overlay()->Follow(InvertedScreenArea());
}

}  // namespace

void InvertScreenArea(const QRegion& area) {
  {
    std::lock_guard<std::mutex> guard(AreaLock());
    Area() = Area().xored(area);
  }
  // No application yet (no window was ever shown): nothing to show on.
  if (OnQtThread()) ShowCurrentArea();
  else if (QCoreApplication* app = QCoreApplication::instance())
    QMetaObject::invokeMethod(app, [] { ShowCurrentArea(); }, Qt::QueuedConnection);
}

QRegion InvertedScreenArea() {
  std::lock_guard<std::mutex> guard(AreaLock());
  return Area();
}

}  // namespace quorla
