#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "ui_fonts.h"
#include "win/fonts.h"

namespace {

struct Look {
  int number;
  LONG height;
  LONG weight;
  BYTE underlined;
};

// In the order the fonts are made.
const std::vector<Look> kMadeInOrder = {
    {1, 12, 400, FALSE}, {2, 12, 700, FALSE}, {4, 14, 700, FALSE},
    {5, 14, 400, FALSE}, {3, 12, 400, TRUE},  {6, 12, 700, FALSE},
};

std::vector<LOGFONTW>& Made() {
  static std::vector<LOGFONTW> made;
  return made;
}

HFONT RecordingMaker(const LOGFONTW* font) {
  Made().push_back(*font);
  return CreateFontIndirectW(font);
}

HFONT FailingMaker(const LOGFONTW*) { return nullptr; }

std::u16string Face(const LOGFONTW& font) { return std::u16string(font.lfFaceName); }

void ExpectLook(const LOGFONTW& font, const Look& look) {
  EXPECT_EQ(font.lfHeight, look.height) << "font " << look.number;
  EXPECT_EQ(font.lfWeight, look.weight) << "font " << look.number;
  EXPECT_EQ(font.lfUnderline, look.underlined) << "font " << look.number;
  EXPECT_EQ(font.lfWidth, 0);
  EXPECT_EQ(font.lfItalic, 0);
  EXPECT_EQ(font.lfStrikeOut, 0);
  EXPECT_EQ(font.lfCharSet, 0);
  EXPECT_EQ(font.lfPitchAndFamily, 0x20);
  EXPECT_EQ(Face(font), u"宋体");
}

class UiFonts : public ::testing::Test {
 protected:
  void TearDown() override { InitUiFonts(); }  // the other tests draw with them
};

// Six fonts, each its own object (2 and 6 look alike), with positive
// heights that give the cell height; no number past them names one.
TEST_F(UiFonts, SixFontsMadeInTheirOrderWithCellHeights) {
  Made().clear();
  CFont* first = InitUiFontsWith(&RecordingMaker);
  ASSERT_EQ(Made().size(), kMadeInOrder.size());
  HDC dc = GetDC(nullptr);
  for (size_t i = 0; i < kMadeInOrder.size(); ++i) {
    SCOPED_TRACE(i);
    const Look& look = kMadeInOrder[i];
    ExpectLook(Made()[i], look);
    CFont* font = GetUiFont(look.number);
    ASSERT_NE(font, nullptr);
    LOGFONTW kept{};
    ASSERT_NE(font->GetLogFont(&kept), 0);
    ExpectLook(kept, look);
    HGDIOBJ before = SelectObject(dc, *font);
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    // The cell is as high as it can be without passing the height.
    EXPECT_LE(metrics.tmHeight, look.height);
    EXPECT_GE(metrics.tmHeight, look.height - 1);
    SelectObject(dc, before);
  }
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(first, GetUiFont(1));
  EXPECT_NE(GetUiFont(2)->m_hObject, GetUiFont(6)->m_hObject);
  for (int number : {-1, 0, 7, 100}) EXPECT_EQ(GetUiFont(number), nullptr) << number;
}

TEST_F(UiFonts, AFontThatCannotBeMadeStaysEmptyAndChangesNoDc) {
  InitUiFontsWith(&FailingMaker);
  HDC dc = GetDC(nullptr);
  TEXTMETRICW before{}, after{};
  GetTextMetricsW(dc, &before);
  for (int number = 1; number <= 6; ++number) {
    EXPECT_EQ(GetUiFont(number)->m_hObject, nullptr) << number;
    SelectObject(dc, *GetUiFont(number));
  }
  GetTextMetricsW(dc, &after);
  EXPECT_EQ(after.tmHeight, before.tmHeight);
  ReleaseDC(nullptr, dc);
}

TEST_F(UiFonts, ReleasedOnTheOrdinaryExitTheObjectsStay) {
  InitUiFonts();
  CFont* regular = GetUiFont(1);
  ReleaseUiFonts();
  for (int number = 1; number <= 6; ++number) EXPECT_EQ(GetUiFont(number)->m_hObject, nullptr) << number;
  EXPECT_EQ(GetUiFont(1), regular) << "windows keep pointers to them";
}

}  // namespace
