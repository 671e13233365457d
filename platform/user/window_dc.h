#pragma once
// Window device contexts: DCs whose surface is the persistent image of the
// window's top-level window, at the window's place in it. Made by GetDC and
// BeginPaint on the window's thread; what they draw reaches the screen when
// they are released, or at the latest when the thread's loop comes round.
#include <optional>

#include "device_context.h"
#include "window_table.h"
#include "window_ui.h"

namespace quorla {

class WindowDc final : public DeviceContext {
 public:
  // paintArea: BeginPaint's update region (client coordinates); the DC never
  // draws outside it.
  WindowDc(HWND hwnd, std::optional<QRegion> paintArea);

  Surface GetSurface() const override;
  QRegion BaseRegion() const override;

  HWND Window() const { return hwnd_; }
  // Made for WM_PAINT or WM_ERASEBKGND: it draws only inside an update region.
  bool ForPainting() const { return paintArea_.has_value(); }
  // Asks the screen to show what this DC may have drawn.
  void Flush() const;

 private:
  HWND hwnd_;
  std::optional<QRegion> paintArea_;
  mutable std::shared_ptr<WindowImage> held_;  // keeps the pixels alive while a call draws
  // For a window whose client area starts left of or above its top-level
  // window's image: the DC's own copy of the window's pixels.
  mutable std::shared_ptr<WindowImage> staging_;
  mutable QPoint stagingOffset_;
};

// A new window DC entered in the handle table (null for a window that is
// gone).
HDC OpenWindowDc(HWND hwnd, std::optional<QRegion> paintArea);
// Flushes and frees a window DC; false when dc is no window DC.
bool CloseWindowDc(HDC dc);
// Flushes the window DCs of the calling thread that are still held.
void FlushOpenWindowDcs();

// The image of a top-level window, made when missing (null for an empty or
// message-only window). With WindowTableLock() held.
std::shared_ptr<WindowImage> ImageOfTopLevelLocked(WindowRecord& topLevel);

}  // namespace quorla
