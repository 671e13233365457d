#include <string>

#include "push_button_face.h"
#include "win/dc.h"
#include "win/text_draw.h"

namespace quorla {
namespace {

void FillWith(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, const RECT& r, COLORREF colour, int width) {
  for (int i = 0; i < width; ++i) {
    const RECT edges[] = {{r.left + i, r.top + i, r.right - i, r.top + i + 1},
                          {r.left + i, r.bottom - i - 1, r.right - i, r.bottom - i},
                          {r.left + i, r.top + i, r.left + i + 1, r.bottom - i},
                          {r.right - i - 1, r.top + i, r.right - i, r.bottom - i}};
    for (const RECT& e : edges) FillWith(dc, e, colour);
  }
}

}  // namespace

void DrawPushButtonFace(HDC dc, const RECT& client, const std::u16string& text, HFONT font, PushButtonLook look) {
  COLORREF face = RGB(225, 225, 225), border = RGB(173, 173, 173), ink = GetSysColor(COLOR_BTNTEXT);
  if (look.disabled) {
    face = RGB(204, 204, 204);
    border = RGB(191, 191, 191);
    ink = GetSysColor(COLOR_GRAYTEXT);
  } else if (look.pushed) {
    face = RGB(204, 228, 247);
    border = RGB(0, 84, 153);
  } else if (look.focused || look.isDefault) {
    border = RGB(0, 120, 215);
  }
  FillWith(dc, client, face);
  Frame(dc, client, border, (!look.disabled && (look.focused || look.isDefault)) ? 2 : 1);
  int saved = SaveDC(dc);
  SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  RECT area = client;
  if (look.pushed) OffsetRect(&area, 1, 1);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RestoreDC(dc, saved);
}

}  // namespace quorla
