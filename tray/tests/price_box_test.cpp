// The notice's price boxes: the printed value, and what each kind adds to
// the box's picture (the struck-through former price, the drop's badge).
#include <cmath>
#include <limits>

#include "popup_test_support.h"

namespace {

using namespace popup_test;

// A 114 x 56 white 32-bit surface with its own memory DC.
class BoxSurface {
 public:
  BoxSurface() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_bitmap);
    for (int i = 0; i < kWidth * kHeight; ++i) static_cast<std::uint32_t*>(m_bits)[i] = 0xFFFFFF;
  }
  ~BoxSurface() {
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
  }
  HDC dc() const { return m_dc; }
  std::uint32_t At(int x, int y) const { return static_cast<const std::uint32_t*>(m_bits)[y * kWidth + x] & 0xFFFFFF; }

  static constexpr int kWidth = 114;
  static constexpr int kHeight = 56;

 private:
  HBITMAP m_bitmap = nullptr;
  void* m_bits = nullptr;
  HDC m_dc = nullptr;
  HGDIOBJ m_previous = nullptr;
};

// Draws a box of the kind with the notice's skins, as the pop-up sets it up.
void DrawBox(BoxSurface& surface, int kind, double value, int bkMode = TRANSPARENT) {
  CCutPriceInfoWnd box;
  box.SetContent(kind, value, &SkinBitmap(SKIN_PRICE_BOX), &SkinBitmap(SKIN_CURRENCY),
                 kind == CCutPriceInfoWnd::kFormerPrice ? &SkinBitmap(SKIN_STRIKE) : nullptr,
                 kind == CCutPriceInfoWnd::kPriceDrop ? &SkinBitmap(SKIN_BADGE) : nullptr);
  SetBkMode(surface.dc(), bkMode);
  const RECT area{0, 0, BoxSurface::kWidth, BoxSurface::kHeight};
  box.Draw(surface.dc(), &area);
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
  BoxSurface former, current, drop;
  DrawBox(former, CCutPriceInfoWnd::kFormerPrice, 80.0);
  DrawBox(current, CCutPriceInfoWnd::kCurrentPrice, 80.0);
  DrawBox(drop, CCutPriceInfoWnd::kPriceDrop, 80.0);

  const RECT caption{0, 5, 114, 30};
  // The strike starts 32 in, halfway down the 12-pixel currency sign, and
  // runs 28 pixels past the value's width; the badge is 32 x 32 at (5, 10).
  const RECT strikeRow{32, 36, 114, 37};
  const RECT badge{5, 10, 37, 42};
  int strikePixels = 0, badgePixels = 0;
  for (int y = 0; y < BoxSurface::kHeight; ++y) {
    for (int x = 0; x < BoxSurface::kWidth; ++x) {
      if (Inside(caption, x, y)) continue;
      if (former.At(x, y) != current.At(x, y)) {
        EXPECT_TRUE(Inside(strikeRow, x, y)) << "former and current differ at " << x << ", " << y;
        ++strikePixels;
      }
      if (drop.At(x, y) != current.At(x, y)) {
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
    for (int x = caption.left; x < caption.right; ++x) captionDiffers += former.At(x, y) != current.At(x, y);
  EXPECT_GT(captionDiffers, 20);
}

TEST(PriceBox, TextsLeaveTheSkinVisibleAroundThemWhateverTheDcHeld) {
  ASSERT_TRUE(LoadSkinBitmaps());
  BoxSurface transparent, opaque;
  DrawBox(transparent, CCutPriceInfoWnd::kCurrentPrice, 80.0, TRANSPARENT);
  DrawBox(opaque, CCutPriceInfoWnd::kCurrentPrice, 80.0, OPAQUE);
  for (int y = 0; y < BoxSurface::kHeight; ++y)
    for (int x = 0; x < BoxSurface::kWidth; ++x) ASSERT_EQ(opaque.At(x, y), transparent.At(x, y)) << x << ", " << y;
  EXPECT_EQ(GetBkMode(opaque.dc()), OPAQUE) << "the DC's mode is given back";
}

}  // namespace
