#include "ui_fonts.h"

#include <array>

#include "win/fonts.h"

namespace {

struct FontLook {
  int number;
  LONG height;  // positive: the character cell's height in pixels
  LONG weight;
  BYTE underlined;
};

// In the order of making.
constexpr std::array<FontLook, kUiFontCount> kLooks = {{
    {kUiFontRegular12, 12, FW_NORMAL, FALSE},
    {kUiFontBold12, 12, FW_BOLD, FALSE},
    {kUiFontBold14, 14, FW_BOLD, FALSE},
    {kUiFontRegular14, 14, FW_NORMAL, FALSE},
    {kUiFontUnderlined12, 12, FW_NORMAL, TRUE},
    {kUiFontDialogBold12, 12, FW_BOLD, FALSE},
}};

constexpr BYTE kSwissPitchAndFamily = 0x20;

// Never destroyed by the runtime: the fonts go only through ReleaseUiFonts,
// whose caller orders it among the other process-wide objects.
std::array<CFont, kUiFontCount + 1>& Fonts() {
  static auto* fonts = new std::array<CFont, kUiFontCount + 1>();
  return *fonts;
}

LOGFONTW Describe(const FontLook& look) {
  LOGFONTW font{};
  font.lfHeight = look.height;
  font.lfWeight = look.weight;
  font.lfUnderline = look.underlined;
  font.lfCharSet = ANSI_CHARSET;
  font.lfPitchAndFamily = kSwissPitchAndFamily;
  const char16_t face[] = u"宋体";
  for (size_t i = 0; i < sizeof face / sizeof face[0]; ++i) font.lfFaceName[i] = face[i];
  return font;
}

}  // namespace

CFont* InitUiFonts() { return InitUiFontsWith(&CreateFontIndirectW); }

CFont* InitUiFontsWith(UiFontMaker make) {
  for (const FontLook& look : kLooks) {
    const LOGFONTW font = Describe(look);
    CFont& slot = Fonts()[static_cast<size_t>(look.number)];
    slot.DeleteObject();
    if (HFONT made = make(&font)) slot.Attach(made);
  }
  return GetUiFont(kUiFontRegular12);
}

CFont* GetUiFont(int number) {
  if (number < 1 || number > kUiFontCount) return nullptr;
  return &Fonts()[static_cast<size_t>(number)];
}

void ReleaseUiFonts() {
  for (auto look = kLooks.rbegin(); look != kLooks.rend(); ++look) Fonts()[static_cast<size_t>(look->number)].DeleteObject();
}
