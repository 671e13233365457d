// The notice's price boxes: the printed value, and what each kind adds to
// the box's picture (the struck-through former price, the drop's badge).
#include <cmath>
#include <limits>

#include "popup_test_support.h"

namespace {

using namespace popup_test;

using sfwnd_test::Surface;
constexpr int kBoxWidth = 114, kBoxHeight = 56;

// Draws a box of the kind with the notice's skins, as the pop-up sets it up.
void DrawBox(Surface& surface, int kind, double value, int bkMode = TRANSPARENT) {
  CCutPriceInfoWnd box;
  box.SetContent(kind, value, &SkinBitmap(SKIN_PRICE_BOX), &SkinBitmap(SKIN_CURRENCY),
                 kind == CCutPriceInfoWnd::kFormerPrice ? &SkinBitmap(SKIN_STRIKE) : nullptr,
                 kind == CCutPriceInfoWnd::kPriceDrop ? &SkinBitmap(SKIN_BADGE) : nullptr);
  SetBkMode(surface.dc, bkMode);
  const RECT area{0, 0, kBoxWidth, kBoxHeight};
  box.Draw(surface.dc, &area);
}

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

TEST(PriceBox, ShowsTheIntegerPartOfItsValue) {
  struct Case {
    double value;
    const char16_t* text;
  };
  const Case cases[] = {
      {99.2, u"99"},
      {80.5, u"80"},
      {99.2 - 80.5, u"18"},
      {0.99, u"0"},
      {-3.7, u"-3"},
      {1e12, u"2147483647"},
      {-1e12, u"-2147483648"},
      {std::numeric_limits<double>::quiet_NaN(), u"0"},
      {std::numeric_limits<double>::infinity(), u"2147483647"},
  };
  for (const Case& c : cases) {
    CCutPriceInfoWnd box;
    box.SetContent(CCutPriceInfoWnd::kCurrentPrice, c.value, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(box.ValueText(), c.text) << c.value;
  }
  CCutPriceInfoWnd unknown;
  unknown.SetContent(5, 1.0, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(unknown.CaptionText().empty());
}

TEST(PriceBox, KindsDifferOnlyInCaptionStrikeAndBadge) {
  ASSERT_TRUE(LoadSkinBitmaps());
  Surface former(kBoxWidth, kBoxHeight), current(kBoxWidth, kBoxHeight), drop(kBoxWidth, kBoxHeight);
  DrawBox(former, CCutPriceInfoWnd::kFormerPrice, 80.0);
  DrawBox(current, CCutPriceInfoWnd::kCurrentPrice, 80.0);
  DrawBox(drop, CCutPriceInfoWnd::kPriceDrop, 80.0);

  const RECT caption{0, 5, 114, 30};
  // The strike starts 32 in, halfway down the 12-pixel currency sign, and
  // runs 28 pixels past the value's width; the badge is 32 x 32 at (5, 10).
  const RECT strikeRow{32, 36, 114, 37};
  const RECT badge{5, 10, 37, 42};
  int strikePixels = 0, badgePixels = 0;
  for (int y = 0; y < kBoxHeight; ++y) {
    for (int x = 0; x < kBoxWidth; ++x) {
      if (Inside(caption, x, y)) continue;
      if (former.Rgb(x, y) != current.Rgb(x, y)) {
        EXPECT_TRUE(Inside(strikeRow, x, y)) << "former and current differ at " << x << ", " << y;
        ++strikePixels;
      }
      if (drop.Rgb(x, y) != current.Rgb(x, y)) {
        EXPECT_TRUE(Inside(badge, x, y)) << "drop and current differ at " << x << ", " << y;
        ++badgePixels;
      }
    }
  }
  EXPECT_GT(strikePixels, 28) << "a line across the value";
  EXPECT_GT(badgePixels, 200) << "most of the badge";
  // The captions differ between all three.
  int captionDiffers = 0;
  for (int y = caption.top; y < caption.bottom; ++y)
    for (int x = caption.left; x < caption.right; ++x) captionDiffers += former.Rgb(x, y) != current.Rgb(x, y);
  EXPECT_GT(captionDiffers, 20);
}

TEST(PriceBox, TextsLeaveTheSkinVisibleAroundThemWhateverTheDcHeld) {
  ASSERT_TRUE(LoadSkinBitmaps());
  Surface transparent(kBoxWidth, kBoxHeight), opaque(kBoxWidth, kBoxHeight);
  DrawBox(transparent, CCutPriceInfoWnd::kCurrentPrice, 80.0, TRANSPARENT);
  DrawBox(opaque, CCutPriceInfoWnd::kCurrentPrice, 80.0, OPAQUE);
  for (int y = 0; y < kBoxHeight; ++y)
    for (int x = 0; x < kBoxWidth; ++x) ASSERT_EQ(opaque.Rgb(x, y), transparent.Rgb(x, y)) << x << ", " << y;
  EXPECT_EQ(GetBkMode(opaque.dc), OPAQUE) << "the DC's mode is given back";
}

}  // namespace
