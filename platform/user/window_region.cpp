// Window regions: the shape of a window, for drawing, hit-testing and the
// screen.
#include "region_object.h"
#include "update_regions.h"
#include "window_tree.h"
#include "win/last_error.h"
#include "win/regions.h"
#include "win/window_objects.h"
#include "win/window_state.h"

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  std::optional<QRegion> shape;
  if (region) {
    auto object = quorla::LookUpGdi<quorla::RegionObject>(region);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    shape = object->region;
  }
  HRGN replaced = nullptr;
  std::shared_ptr<quorla::WindowBackend> backend;
  bool visible = false;
  HWND parent = nullptr;
  QRegion parentArea;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    replaced = window->ui.shapeHandle;
    window->ui.shapeHandle = region;
    window->ui.shape = shape;
    backend = window->parent ? nullptr : window->ui.backend;
    visible = quorla::IsVisibleLocked(*window);
    parent = window->parent;
    parentArea = QRegion(quorla::RectOf(*window));
  }
  if (replaced && replaced != region) DeleteObject(replaced);
  if (backend) backend->SetShape(shape);
  if (redraw && visible) {
    quorla::InvalidateWhole(hwnd, true);
    quorla::InvalidateParentArea(parent, parentArea);
  }
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  auto object = quorla::LookUpGdi<quorla::RegionObject>(region);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return ERROR;
  }
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  auto window = quorla::FindWindowRecordLocked(hwnd);
  if (!window || !window->ui.shape) return ERROR;
  object->region = *window->ui.shape;
  return quorla::RegionType(object->region);
}
