#include "sfwnd/markup_fonts.h"

#include <array>

#include "win/strings.h"

namespace {

struct FontSpec {
  LONG height;
  LONG weight;  // FW_DONTCARE: keep the stock font's
};

constexpr std::array<FontSpec, SF_MARKUP_FONT_COUNT> kFontSpecs{{
    {-11, FW_DONTCARE},
    {-11, FW_BOLD},
    {-12, FW_NORMAL},
    {-12, FW_BOLD},
    {-13, FW_NORMAL},
    {-13, FW_BOLD},
}};

class MarkupFonts {
 public:
  MarkupFonts() {
    LOGFONTW base{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(base), &base);
    lstrcpynW(base.lfFaceName, u"Tahoma", LF_FACESIZE);
    for (int i = 0; i < SF_MARKUP_FONT_COUNT; ++i) {
      LOGFONTW font = base;
      font.lfHeight = kFontSpecs[i].height;
      if (kFontSpecs[i].weight != FW_DONTCARE) font.lfWeight = kFontSpecs[i].weight;
      m_fonts[i] = CreateFontIndirectW(&font);
    }
  }
  ~MarkupFonts() {
    for (HFONT font : m_fonts)
      if (font) DeleteObject(font);
  }
  MarkupFonts(const MarkupFonts&) = delete;
  MarkupFonts& operator=(const MarkupFonts&) = delete;

  std::array<HFONT, SF_MARKUP_FONT_COUNT> m_fonts{};
};

}  // namespace

const HFONT* GetMarkupFonts() {
  static MarkupFonts fonts;
  return fonts.m_fonts.data();
}

HFONT GetMarkupFont(int number) {
  if (number < 1 || number > SF_MARKUP_FONT_COUNT) return nullptr;
  return GetMarkupFonts()[number - 1];
}
