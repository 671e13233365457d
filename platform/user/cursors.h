#pragma once
// Cursor objects behind HCURSOR handles, and how the backend shows them.
#include "kernel_object.h"
#include "win/geometry.h"

namespace quorla {

class CursorObject final : public KernelObject {
 public:
  explicit CursorObject(int standardId) : standardId(standardId) {}
  const int standardId;  // IDC_* number
};

// Shows the cursor over the window under the pointer (null: the arrow).
void ShowCursorShape(const CursorObject* cursor);
// Where the pointer is on screen, as the desktop knows it.
bool DesktopPointerPosition(POINT* point);

}  // namespace quorla
