#include "transparent_backdrop.h"

#include <cstring>

#include "window_dc.h"
#include "window_tree.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

bool IsTransparentChild(const WindowRecord& window) {
  return window.parent && (window.style & WS_VISIBLE) && (window.exStyle & WS_EX_TRANSPARENT);
}

// Copies rectangles of pixels between two 32-bit images; `shift` takes a
// point of `from` to the same pixel of `to`.
void Copy(const WindowImage& from, WindowImage& to, const QRegion& fromArea, QPoint shift) {
  for (const QRect& r : fromArea) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      std::memcpy(to.pixels.data() + static_cast<size_t>(y + shift.y()) * to.width + (r.left() + shift.x()),
                  from.pixels.data() + static_cast<size_t>(y) * from.width + r.left(),
                  static_cast<size_t>(r.width()) * 4);
    }
  }
}

}  // namespace

void KeepBackdrops(HWND parent, const QRegion& drawn) {
  if (drawn.isEmpty()) return;
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(parent);
  if (!window) return;
  auto image = ImageOfTopLevelLocked(*TopLevelLocked(window));
  if (!image) return;
  for (const WindowPtr& child : ChildrenLocked(parent)) {
    if (!IsTransparentChild(*child)) continue;
    const QPoint offset = OffsetInTopLevelLocked(*child);
    const QSize size = SizeOf(*child);
    QRegion area = drawn.translated(-RectOf(*child).topLeft()) & QRect(QPoint(0, 0), size) &
                   QRect(-offset, QSize(image->width, image->height));
    if (area.isEmpty()) continue;
    auto& kept = child->ui.backdrop;
    if (!kept || kept->offsetInTopLevel != offset || kept->pixels.width != size.width() ||
        kept->pixels.height != size.height())
      kept = std::make_shared<Backdrop>(offset, size);
    Copy(*image, kept->pixels, area.translated(offset), -offset);
    kept->area += area;
  }
}

void LayBackdrop(HWND child, const QRegion& area) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(child);
  if (!window || !IsTransparentChild(*window) || !window->ui.backdrop) return;
  const Backdrop& kept = *window->ui.backdrop;
  const QPoint offset = OffsetInTopLevelLocked(*window);
  if (kept.offsetInTopLevel != offset || QSize(kept.pixels.width, kept.pixels.height) != SizeOf(*window)) {
    window->ui.backdrop.reset();  // moved or resized since: its parent paints there anew
    return;
  }
  auto image = ImageOfTopLevelLocked(*TopLevelLocked(window));
  if (!image) return;
  QRegion laid = area & kept.area & VisibleRegionLocked(window) & QRect(-offset, QSize(image->width, image->height));
  Copy(kept.pixels, *image, laid, offset);
}

}  // namespace quorla
