#include "frame_geometry.h"

#include <initializer_list>

#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/regions.h"

namespace {

struct Zone {
  RECT box;
  int code;
};

bool Holds(const RECT& box, POINT point) {
  return point.x >= box.left && point.x < box.right && point.y >= box.top && point.y < box.bottom;
}

bool MovesLeft(int code) { return code == kHitLeft || code == kHitTopLeft || code == kHitBottomLeft; }
bool MovesRight(int code) { return code == kHitRight || code == kHitTopRight || code == kHitBottomRight; }
bool MovesTop(int code) { return code == kHitTop || code == kHitTopLeft || code == kHitTopRight; }
bool MovesBottom(int code) { return code == kHitBottom || code == kHitBottomLeft || code == kHitBottomRight; }

}  // namespace

int FrameZoneAt(POINT client, int width, int height, bool maximised) {
  const int w = width, h = height;
  const Zone zones[] = {
      {{4, 4, 20, 20}, kHitMenuSpot},
      {{24, 3, w - 3, 24}, kHitCaption},
      {{0, 3, 3, h - 3}, kHitLeft},
      {{w - 3, 3, w, h - 3}, kHitRight},
      {{3, 0, w - 3, 3}, kHitTop},
      {{3, h - 3, w - 3, h}, kHitBottom},
      {{0, 0, 3, 3}, kHitTopLeft},
      {{w - 3, 0, w, 3}, kHitTopRight},
      {{0, h - 3, 3, h}, kHitBottomLeft},
      {{w - 3, h - 3, w, h}, kHitBottomRight},
  };
  for (const Zone& zone : zones) {
    if (!Holds(zone.box, client)) continue;
    if (maximised && IsSizingZone(zone.code)) return kHitClient;
    return zone.code;
  }
  return kHitClient;
}

LPCWSTR FrameZoneCursor(int code) {
  switch (code) {
    case kHitClient:
    case kHitCaption:
    case kHitMenuSpot:
      return IDC_ARROW;
    case kHitLeft:
    case kHitRight:
      return IDC_SIZEWE;
    case kHitTop:
    case kHitBottom:
      return IDC_SIZENS;
    case kHitTopLeft:
    case kHitBottomRight:
      return IDC_SIZENWSE;
    case kHitTopRight:
    case kHitBottomLeft:
      return IDC_SIZENESW;
    default:
      return nullptr;
  }
}

bool IsSizingZone(int code) { return code >= kHitLeft && code <= kHitBottomRight; }

RECT DraggedFrame(const RECT& window, int code, POINT screen) {
  RECT frame = window;
  if (MovesLeft(code)) {
    frame.left = screen.x;
    if (frame.right - frame.left < kMinFrameWidth) frame.left = frame.right - kMinFrameWidth;
  }
  if (MovesRight(code)) {
    frame.right = screen.x;
    if (frame.right - frame.left < kMinFrameWidth) frame.right = frame.left + kMinFrameWidth;
  }
  if (MovesTop(code)) {
    frame.top = screen.y;
    if (frame.bottom - frame.top < kMinFrameHeight) frame.top = frame.bottom - kMinFrameHeight;
  }
  if (MovesBottom(code)) {
    frame.bottom = screen.y;
    if (frame.bottom - frame.top < kMinFrameHeight) frame.bottom = frame.top + kMinFrameHeight;
  }
  return frame;
}

HRGN MakeFrameRegion(int cx, int cy, bool maximised) {
  HRGN region = ::CreateRectRgn(0, 0, cx, cy);
  if (maximised) return region;
  for (int x : {0, cx - 1}) {
    HRGN corner = ::CreateRectRgn(x, 0, x + 1, 1);
    ::CombineRgn(region, region, corner, RGN_DIFF);
    ::DeleteObject(corner);
  }
  return region;
}
