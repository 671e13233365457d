#pragma once
// The on-screen part of a window record (window_table.h): geometry, update
// region, window region, image and the backend that shows it. Fields are read
// and written under WindowTableLock(), like the rest of the record; the
// backend is called only on the window's own thread and never with a lock
// held.
#include <QImage>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "surface.h"
#include "win/geometry.h"
#include "win/gdi_objects.h"

namespace quorla {

// The persistent image of a top-level window: what the screen shows of it.
// 32-bit pixels in the DIB layout (0x00RRGGBB words); replaced, with the
// overlapping pixels kept, when the window's size changes.
struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  WindowImage(int w, int h);
  Surface View();
  // A new image of the given size holding this image's pixels where they
  // overlap; the rest is white.
  std::shared_ptr<WindowImage> Resized(int w, int h) const;
};

// What shows a top-level window on screen. Made on the window's thread when
// the window is first shown, on the thread that runs Qt; every call comes
// from that thread. Coordinates are the screen's; areas are in window
// coordinates.
class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  virtual void Show(bool activate, int showCommand) = 0;
  virtual void Hide() = 0;
  virtual void SetGeometry(const RECT& screenRect) = 0;
  virtual void SetShape(const std::optional<QRegion>& shape) = 0;
  // The image changed in this area: copy it to the screen soon.
  virtual void Repaint(const QRegion& area) = 0;
  virtual void SetTitle(const std::u16string& title) = 0;
  // The frame for these styles (decorated or not); the window keeps its
  // place and visibility.
  virtual void SetFrame(DWORD style, DWORD exStyle) = 0;
  // The window's icon on the desktop from its small and big icons (either
  // may be null; both null: none).
  virtual void SetIcons(const QImage& small, const QImage& big) = 0;
  virtual void Raise(bool topmost) = 0;
  virtual void Activate() = 0;
  // While the window's thread holds the capture in this window, the pointer's
  // moves and releases outside it still reach it.
  virtual void GrabPointer(bool grab) = 0;
};

struct Backdrop;  // transparent_backdrop.h

// Makes the backend of a top-level window that is about to show, or null
// when the calling thread does not run Qt (workers keep record-only windows).
std::shared_ptr<WindowBackend> MakeWindowBackend(HWND hwnd);

struct WindowUi {
  RECT rect{};          // parent's client coordinates; screen for top-level windows
  RECT restoreRect{};   // the rectangle before minimising or maximising
  bool restoreToMaximized = false;  // minimised from maximised
  HICON smallIcon = nullptr;  // WM_SETICON's, not owned
  HICON bigIcon = nullptr;
  QRegion update;       // client coordinates
  bool erasePending = false;
  std::optional<QRegion> shape;  // window coordinates
  HRGN shapeHandle = nullptr;    // the region handle the window took over
  std::uint64_t zorder = 0;      // larger is nearer the top among siblings
  std::shared_ptr<WindowImage> image;      // top-level windows that were drawn or shown
  std::shared_ptr<WindowBackend> backend;  // top-level windows shown on the Qt thread
  std::shared_ptr<Backdrop> backdrop;      // transparent children: what the parent painted beneath
};

}  // namespace quorla
