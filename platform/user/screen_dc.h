#pragma once
// The screen's device context (GetDC(nullptr), GetWindowDC of the desktop,
// GetDCEx on either). Its coordinates are the screen's. It has no pixels the
// layer could draw into: every drawing call through it does nothing, except
// the inverting pattern operations, which go to the drag-outline overlay
// (drag_outline_overlay.h). Clipping works as on any DC, which is how an
// outline is cut out of a rectangle.
#include "device_context.h"

namespace quorla {

class ScreenDc final : public DeviceContext {
 public:
  Surface GetSurface() const override { return Surface{}; }
  QRegion BaseRegion() const override;
  bool HasOwnPixels() const override { return false; }
  void InvertArea(const QRegion& deviceArea) override;
};

// A new screen DC in the handle table.
HDC OpenScreenDc();
// Frees a screen DC; false when dc is none.
bool CloseScreenDc(HDC dc);
// Whether hwnd names the screen: null or the desktop window.
bool IsScreenWindow(HWND hwnd);

}  // namespace quorla
