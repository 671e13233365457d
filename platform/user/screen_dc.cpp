#include "screen_dc.h"

#include "drag_outline_overlay.h"
#include "gdi_object.h"
#include "region_object.h"
#include "window_dc.h"
#include "win/last_error.h"
#include "win/painting.h"
#include "win/window_objects.h"

namespace quorla {

QRegion ScreenDc::BaseRegion() const {
  // Every point a screen coordinate can name and a QRect can hold: monitors
  // come and go, the outline of a window dragged off them still counts.
  return QRegion(QRect(-0x4000000, -0x4000000, 0x8000000, 0x8000000));
}

void ScreenDc::InvertArea(const QRegion& deviceArea) { InvertScreenArea(deviceArea); }

HDC OpenScreenDc() { return static_cast<HDC>(InsertHandle(std::make_shared<ScreenDc>())); }

bool CloseScreenDc(HDC dc) {
  auto object = dc ? LookUpHandleAs<ScreenDc>(dc) : nullptr;
  if (!object) return false;
  RemoveHandle(dc);
  return true;
}

bool IsScreenWindow(HWND hwnd) { return !hwnd || hwnd == GetDesktopWindow(); }

}  // namespace quorla

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  HDC dc = quorla::IsScreenWindow(hwnd) ? quorla::OpenScreenDc() : quorla::OpenWindowDc(hwnd, std::nullopt);
  if (!dc) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  // The region becomes the layer's: it is used here and deleted.
  if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    if (auto region = quorla::LookUpGdi<quorla::RegionObject>(clip)) {
      ExtSelectClipRgn(dc, clip, (flags & DCX_INTERSECTRGN) ? RGN_AND : RGN_DIFF);
      DeleteObject(clip);
    }
  }
  return dc;
}
