#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "cursors.h"
#include "input_filter_qt.h"
#include "win/input.h"

namespace quorla {
namespace {

Qt::CursorShape ShapeOf(int id) {
  switch (id) {
    case 32513:
      return Qt::IBeamCursor;
    case 32514:
      return Qt::WaitCursor;
    case 32515:
      return Qt::CrossCursor;
    case 32642:
      return Qt::SizeFDiagCursor;
    case 32643:
      return Qt::SizeBDiagCursor;
    case 32644:
      return Qt::SizeHorCursor;
    case 32645:
      return Qt::SizeVerCursor;
    case 32646:
      return Qt::SizeAllCursor;
    case 32648:
      return Qt::ForbiddenCursor;
    case 32649:
      return Qt::PointingHandCursor;
    case 32650:
      return Qt::BusyCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

void ShowCursorShape(const CursorObject* cursor) {
  QWidget* widget = QCoreApplication::instance() ? PointerWidget() : nullptr;
  if (!widget) return;
  Qt::CursorShape shape = ShapeOf(cursor ? cursor->standardId : 32512);
  if (widget->cursor().shape() != shape) widget->setCursor(shape);
}

bool DesktopPointerPosition(POINT* point) {
  // The offscreen platform has no pointer of its own: the input's last
  // position stands for it.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
      QGuiApplication::platformName() == QLatin1String("offscreen"))
    return false;
  QPoint p = QCursor::pos();
  *point = POINT{p.x(), p.y()};
  return true;
}

}  // namespace quorla
