#pragma once
// Which window is at a screen point.
#include <QPoint>

#include "win/types.h"

namespace quorla {

// The deepest visible window of the process at a screen point, inside the
// window regions. Top-level windows with WS_EX_TRANSPARENT (tooltips) are
// passed over: the pointer goes through them. With forInput, disabled children are passed over (the
// point belongs to what lies below them) and a disabled top-level window
// takes nothing (null).
HWND WindowAtScreenPoint(QPoint screen, bool forInput);

}  // namespace quorla
