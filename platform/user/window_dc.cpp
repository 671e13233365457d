#include "window_dc.h"

#include <algorithm>
#include <vector>

#include "window_tree.h"

namespace quorla {
namespace {

// Where a window's client area lies in its top-level window's image.
struct Placement {
  std::shared_ptr<WindowImage> image;
  QPoint offset;
  QSize size;  // the part of the client area that lies inside the image
};

Placement PlaceLocked(HWND hwnd) {
  Placement placement;
  auto window = FindWindowRecordLocked(hwnd);
  if (!window || !IsOnScreenKind(*window)) return placement;
  auto top = TopLevelLocked(window);
  auto image = ImageOfTopLevelLocked(*top);
  if (!image) return placement;
  QPoint offset = OffsetInTopLevelLocked(*window);
  // A child that reaches out above or left of its top-level window has no
  // pixels of its own before the image starts: such a DC draws nothing.
  if (offset.x() < 0 || offset.y() < 0) return placement;
  QSize size = SizeOf(*window);
  int w = std::min(size.width(), image->width - offset.x());
  int h = std::min(size.height(), image->height - offset.y());
  if (w <= 0 || h <= 0) return placement;
  placement.image = std::move(image);
  placement.offset = offset;
  placement.size = QSize(w, h);
  return placement;
}

std::vector<std::weak_ptr<WindowDc>>& OpenDcs() {
  thread_local std::vector<std::weak_ptr<WindowDc>> open;
  return open;
}

}  // namespace

std::shared_ptr<WindowImage> ImageOfTopLevelLocked(WindowRecord& topLevel) {
  if (!IsOnScreenKind(topLevel)) return nullptr;
  QSize size = SizeOf(topLevel);
  if (size.isEmpty()) return nullptr;
  auto& image = topLevel.ui.image;
  if (!image) image = std::make_shared<WindowImage>(size.width(), size.height());
  else if (image->width != size.width() || image->height != size.height())
    image = image->Resized(size.width(), size.height());
  return image;
}

WindowDc::WindowDc(HWND hwnd, std::optional<QRegion> paintArea) : hwnd_(hwnd), paintArea_(std::move(paintArea)) {}

Surface WindowDc::GetSurface() const {
  Placement placement;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    placement = PlaceLocked(hwnd_);
  }
  if (!placement.image) return Surface{};
  held_ = placement.image;
  Surface s = held_->View();
  s.top += placement.offset.y() * s.pitch + static_cast<std::ptrdiff_t>(placement.offset.x()) * 4;
  s.width = placement.size.width();
  s.height = placement.size.height();
  return s;
}

QRegion WindowDc::BaseRegion() const {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  Placement placement = PlaceLocked(hwnd_);
  if (!placement.image) return QRegion();
  QRegion region = VisibleRegionLocked(FindWindowRecordLocked(hwnd_)) & QRect(QPoint(0, 0), placement.size);
  if (paintArea_) region &= *paintArea_;
  return region;
}

void WindowDc::Flush() const {
  QRegion drawn = DrawableRegion();
  if (drawn.isEmpty()) return;
  std::shared_ptr<WindowBackend> backend;
  QPoint offset;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd_);
    if (!window) return;
    auto top = TopLevelLocked(window);
    backend = top->ui.backend;
    offset = OffsetInTopLevelLocked(*window);
  }
  if (backend) backend->Repaint(drawn.translated(offset));
}

HDC OpenWindowDc(HWND hwnd, std::optional<QRegion> paintArea) {
  if (hwnd && !FindWindowRecord(hwnd)) return nullptr;  // null: the screen, which the layer does not draw on
  auto dc = std::make_shared<WindowDc>(hwnd, std::move(paintArea));
  auto& open = OpenDcs();
  std::erase_if(open, [](const std::weak_ptr<WindowDc>& w) { return w.expired(); });
  open.push_back(dc);
  return static_cast<HDC>(InsertHandle(dc));
}

bool CloseWindowDc(HDC dc) {
  auto object = dc ? LookUpHandleAs<WindowDc>(dc) : nullptr;
  if (!object) return false;
  object->Flush();
  RemoveHandle(dc);
  auto& open = OpenDcs();
  std::erase_if(open, [&](const std::weak_ptr<WindowDc>& w) {
    auto live = w.lock();
    return !live || live == object;
  });
  return true;
}

void FlushOpenWindowDcs() {
  auto& open = OpenDcs();
  for (auto& weak : open)
    if (auto dc = weak.lock()) dc->Flush();
}

}  // namespace quorla
