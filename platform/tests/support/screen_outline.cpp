#include "screen_outline.h"

#include <QRegion>

#include "drag_outline_overlay.h"

namespace quorla_test {

RECT InvertedScreenBounds() {
  const QRect box = quorla::InvertedScreenArea().boundingRect();
  if (box.isEmpty()) return RECT{};
  return RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

bool IsScreenPointInverted(POINT screen) { return quorla::InvertedScreenArea().contains(QPoint(screen.x, screen.y)); }

}  // namespace quorla_test
