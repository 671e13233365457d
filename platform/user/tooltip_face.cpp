#include "tooltip_face.h"

#include <algorithm>

#include "win/dc.h"
#include "win/painting.h"
#include "win/text_draw.h"

namespace quorla {
namespace {

constexpr int kBorder = 1;
constexpr int kPaddingX = 5;
constexpr int kPaddingY = 2;

UINT TextFormat(const TooltipLook& look) {
  UINT format = look.maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
  if (look.noPrefix) format |= DT_NOPREFIX;
  return format;
}

HGDIOBJ FontOf(const TooltipLook& look) {
  return look.font ? static_cast<HGDIOBJ>(look.font) : GetStockObject(DEFAULT_GUI_FONT);
}

}  // namespace

SIZE TooltipSize(HWND tooltip, const std::u16string& text, const TooltipLook& look) {
  HDC dc = GetDC(tooltip);
  HGDIOBJ old = SelectObject(dc, FontOf(look));
  const int wrap = look.maxWidth >= 0 ? std::max(look.maxWidth - 2 * (kBorder + kPaddingX), 1) : 0x7FFF;
  RECT box{0, 0, wrap, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, TextFormat(look) | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(tooltip, dc);
  return SIZE{box.right - box.left + 2 * (kBorder + kPaddingX), box.bottom - box.top + 2 * (kBorder + kPaddingY)};
}

void PaintTooltip(HDC dc, const RECT& client, const std::u16string& text, const TooltipLook& look) {
  HBRUSH frame = CreateSolidBrush(RGB(118, 118, 118));
  FillRect(dc, &client, frame);
  DeleteObject(frame);
  RECT inside{client.left + kBorder, client.top + kBorder, client.right - kBorder, client.bottom - kBorder};
  FillRect(dc, &inside, reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_INFOBK + 1)));
  int saved = SaveDC(dc);
  SelectObject(dc, FontOf(look));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT area{inside.left + kPaddingX, inside.top + kPaddingY, inside.right - kPaddingX, inside.bottom - kPaddingY};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextFormat(look));
  RestoreDC(dc, saved);
}

}  // namespace quorla
