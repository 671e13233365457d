#include "radio_button_face.h"

#include <algorithm>
#include <cmath>

#include "win/dc.h"
#include "win/text_draw.h"

namespace quorla {
namespace {

constexpr int kMark = 13;  // the mark's diameter
constexpr int kGap = 3;    // between the mark and the text

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// A disc of the given diameter at (left, top), row by row.
void Disc(HDC dc, int left, int top, int diameter, COLORREF colour) {
  const double r = diameter / 2.0;
  for (int row = 0; row < diameter; ++row) {
    const double dy = row + 0.5 - r;
    const int half = static_cast<int>(std::lround(std::sqrt(std::max(0.0, r * r - dy * dy))));
    const int centre = left + diameter / 2;
    Fill(dc, RECT{centre - half, top + row, centre + half + diameter % 2, top + row + 1}, colour);
  }
}

}  // namespace

void DrawRadioButtonFace(HDC dc, const RECT& client, const std::u16string& text, HFONT font, HBRUSH background,
                         RadioButtonLook look) {
  if (background) FillRect(dc, &client, background);
  else Fill(dc, client, GetSysColor(COLOR_BTNFACE));
  const int top = client.top + (client.bottom - client.top - kMark) / 2;
  const COLORREF ring = look.disabled ? RGB(191, 191, 191) : RGB(51, 51, 51);
  const COLORREF inside = look.disabled ? RGB(204, 204, 204) : look.pushed ? RGB(204, 228, 247) : RGB(255, 255, 255);
  Disc(dc, client.left, top, kMark, ring);
  Disc(dc, client.left + 1, top + 1, kMark - 2, inside);
  if (look.checked) Disc(dc, client.left + 3, top + 3, kMark - 6, ring);

  const int saved = SaveDC(dc);
  SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT area = client;
  area.left += kMark + kGap;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  RestoreDC(dc, saved);
}

}  // namespace quorla
