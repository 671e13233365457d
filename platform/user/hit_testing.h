#pragma once
// Which window is at a screen point.
#include <QPoint>

#include "win/types.h"

namespace quorla {

// The deepest visible window of the process at a screen point, inside the
// window regions. With forInput, disabled children are passed over (the
// point belongs to what lies below them) and a disabled top-level window
// takes nothing (null).
HWND WindowAtScreenPoint(QPoint screen, bool forInput);

}  // namespace quorla
