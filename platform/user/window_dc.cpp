#include "window_dc.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "transparent_backdrop.h"
#include "window_tree.h"

namespace quorla {
namespace {

// Where a window's client area lies in its top-level window's image.
struct Placement {
  std::shared_ptr<WindowImage> image;
  QPoint offset;
  QSize size;     // the client area, cut at the image's right and bottom edges
  bool outside = false;  // the client area starts left of or above the image
};

Placement PlaceLocked(HWND hwnd) {
  Placement placement;
  auto window = FindWindowRecordLocked(hwnd);
  if (!window || !IsOnScreenKind(*window)) return placement;
  auto top = TopLevelLocked(window);
  auto image = ImageOfTopLevelLocked(*top);
  if (!image) return placement;
  QPoint offset = OffsetInTopLevelLocked(*window);
  QSize size = SizeOf(*window);
  int w = std::min(size.width(), image->width - offset.x());
  int h = std::min(size.height(), image->height - offset.y());
  if (w <= 0 || h <= 0) return placement;
  placement.image = std::move(image);
  placement.offset = offset;
  placement.size = QSize(w, h);
  placement.outside = offset.x() < 0 || offset.y() < 0;
  return placement;
}

// The part of the image a window's client area covers, in client
// coordinates.
QRect InImage(const Placement& placement) {
  return QRect(QPoint(0, 0), placement.size) &
         QRect(-placement.offset, QSize(placement.image->width, placement.image->height));
}

void CopyRows(const Surface& from, QPoint fromAt, const Surface& to, QPoint toAt, const QRect& area) {
  for (int y = 0; y < area.height(); ++y) {
    std::memcpy(to.Row(toAt.y() + y) + static_cast<std::ptrdiff_t>(toAt.x()) * 4,
                from.Row(fromAt.y() + y) + static_cast<std::ptrdiff_t>(fromAt.x()) * 4,
                static_cast<size_t>(area.width()) * 4);
  }
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
  if (placement.outside) {
    // The client area starts before the image: the DC draws into a copy of
    // its part of the image, which Flush writes back.
    if (!staging_ || staging_->width != placement.size.width() || staging_->height != placement.size.height()) {
      staging_ = std::make_shared<WindowImage>(placement.size.width(), placement.size.height());
      QRect part = InImage(placement);
      CopyRows(held_->View(), part.topLeft() + placement.offset, staging_->View(), part.topLeft(), part);
    }
    stagingOffset_ = placement.offset;
    return staging_->View();
  }
  staging_.reset();
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
  QRegion region = VisibleRegionLocked(FindWindowRecordLocked(hwnd_)) & InImage(placement);
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
  if (staging_ && held_ && offset == stagingOffset_) {
    Surface image = held_->View();
    Surface staged = staging_->View();
    for (const QRect& r : drawn & QRect(QPoint(0, 0), QSize(staged.width, staged.height)))
      CopyRows(staged, r.topLeft(), image, r.topLeft() + offset, r);
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
  if (object->ForPainting()) KeepBackdrops(object->Window(), object->DrawableRegion());
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
