#include "minmax_info.h"

#include <algorithm>

#include "window_placement.h"
#include "win/messages.h"
#include "win/system_metrics.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

// The smallest window the platform lets a person make: room for a caption
// with its buttons.
constexpr LONG kMinTrackWidth = 136, kMinTrackHeight = 39;

LONG HeldWithin(LONG value, LONG least, LONG most) { return std::max(least, std::min(value, most)); }

}  // namespace

MINMAXINFO AskMinMaxInfo(HWND hwnd) {
  const RECT area = WorkAreaForMaximise();
  MINMAXINFO info{};
  info.ptMaxSize = POINT{area.right - area.left, area.bottom - area.top};
  info.ptMaxPosition = POINT{area.left, area.top};
  info.ptMinTrackSize = POINT{kMinTrackWidth, kMinTrackHeight};
  info.ptMaxTrackSize = POINT{std::max<LONG>(GetSystemMetrics(SM_CXVIRTUALSCREEN), info.ptMaxSize.x),
                              std::max<LONG>(GetSystemMetrics(SM_CYVIRTUALSCREEN), info.ptMaxSize.y)};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

RECT MaximizedRect(HWND hwnd) {
  const MINMAXINFO info = AskMinMaxInfo(hwnd);
  const LONG width = HeldWithin(std::min(info.ptMaxSize.x, info.ptMaxTrackSize.x), info.ptMinTrackSize.x, LONG{0x7FFF});
  const LONG height = HeldWithin(std::min(info.ptMaxSize.y, info.ptMaxTrackSize.y), info.ptMinTrackSize.y, LONG{0x7FFF});
  return RECT{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + std::max<LONG>(0, width),
              info.ptMaxPosition.y + std::max<LONG>(0, height)};
}

RECT OverlappedCreationRect(HWND hwnd, int x, int y, int width, int height) {
  const MINMAXINFO info = AskMinMaxInfo(hwnd);
  const RECT area = WorkAreaForMaximise();
  const LONG areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  LONG w = width, h = height;
  if (width == CW_USEDEFAULT) {
    w = areaWidth * 3 / 4;
    h = areaHeight * 3 / 4;
  }
  w = std::max(info.ptMinTrackSize.x, std::min(w, info.ptMaxTrackSize.x));
  h = std::max(info.ptMinTrackSize.y, std::min(h, info.ptMaxTrackSize.y));
  w = std::clamp<LONG>(w, 0, 0x7FFF);
  h = std::clamp<LONG>(h, 0, 0x7FFF);
  LONG left = x, top = y;
  if (x == CW_USEDEFAULT) {
    left = std::max(area.left, area.left + (areaWidth - w) / 2);
    top = std::max(area.top, area.top + (areaHeight - h) / 2);
  }
  auto end = [](LONG start, LONG length) {
    return static_cast<LONG>(std::min<long long>(static_cast<long long>(start) + length, 0x7FFFFFFF));
  };
  return RECT{left, top, end(left, w), end(top, h)};
}

}  // namespace quorla
