#include "sfwnd/markup_fonts.h"

#include <gtest/gtest.h>

#include <string>

#include "win/gdi_objects.h"

namespace {

LOGFONTW Describe(HGDIOBJ font) {
  LOGFONTW description{};
  EXPECT_EQ(GetObjectW(font, sizeof(description), &description), static_cast<int>(sizeof(description)));
  return description;
}

TEST(MarkupFontsTest, SixFontsOfTheirHeightsWeightsAndFaceMadeOnce) {
  const LOGFONTW stock = Describe(GetStockObject(DEFAULT_GUI_FONT));
  struct Row {
    int number;
    LONG height;
    LONG weight;
  };
  const Row rows[] = {
      {1, -11, stock.lfWeight}, {2, -11, 700}, {3, -12, 400}, {4, -12, 700}, {5, -13, 400}, {6, -13, 700},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.number);
    HFONT font = GetMarkupFont(row.number);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, GetMarkupFonts()[row.number - 1]);
    const LOGFONTW description = Describe(font);
    EXPECT_EQ(description.lfHeight, row.height);
    EXPECT_EQ(description.lfWeight, row.weight);
    EXPECT_TRUE(std::u16string(description.lfFaceName) == u"Tahoma");
    // Everything else comes from the stock font.
    EXPECT_EQ(description.lfCharSet, stock.lfCharSet);
    EXPECT_EQ(description.lfItalic, stock.lfItalic);
    EXPECT_EQ(description.lfQuality, stock.lfQuality);
  }
  // Made once, one font per number, and only for one to six.
  const HFONT* first = GetMarkupFonts();
  EXPECT_EQ(first, GetMarkupFonts());
  for (int i = 0; i < SF_MARKUP_FONT_COUNT; ++i)
    for (int j = i + 1; j < SF_MARKUP_FONT_COUNT; ++j) EXPECT_NE(first[i], first[j]);
  for (int number : {-1, 0, 7, 9}) EXPECT_EQ(GetMarkupFont(number), nullptr) << number;
}

}  // namespace
