#include "window_lifetime.h"

#include "activation.h"
#include "hosted_widgets_qt.h"
#include "update_regions.h"
#include "window_tree.h"
#include "win/gdi_objects.h"
#include "win/window_styles.h"

namespace quorla {

void TakeOffScreen(HWND hwnd) {
  std::shared_ptr<WindowBackend> backend;
  HWND parent = nullptr;
  QRegion area;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    if (!window || !(window->style & WS_VISIBLE)) return;
    bool shown = IsVisibleLocked(*window);
    window->style &= ~WS_VISIBLE;
    backend = window->ui.backend;
    if (shown && window->parent) {
      parent = window->parent;
      area = QRegion(RectOf(*window));
    }
  }
  if (backend) backend->Hide();
  InvalidateParentArea(parent, area);
  ForgetActivationOf(hwnd);
}

void ReleaseScreenResources(WindowRecord& record) {
  // A widget behind the window goes back to its owner.
  if (AnyHostedWindow()) UnhostWidget(record.handle);
  std::shared_ptr<WindowBackend> backend;
  HRGN shape = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    backend = std::move(record.ui.backend);
    shape = record.ui.shapeHandle;
    record.ui.shapeHandle = nullptr;
    record.ui.image.reset();
  }
  backend.reset();  // the widget goes with the last reference, on this thread
  if (shape) DeleteObject(shape);
}

}  // namespace quorla
