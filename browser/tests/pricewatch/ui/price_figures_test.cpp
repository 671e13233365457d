// The pop-up's whole-yuan figures, for ordinary prices and for what a
// damaged watch-list file may hold.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "price_figures.h"
#include "vxshared/price_integer.h"

namespace {

struct Case {
  const char* name;
  double previous;
  double current;
  const char16_t* previousText;
  const char16_t* currentText;
  const char16_t* dropText;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const Case kCases[] = {
    {"whole prices", 120.0, 99.0, u"￥120", u"￥99", u"￥21"},
    {"fractions truncated before the difference", 99.9, 80.5, u"￥99", u"￥80", u"￥19"},
    {"a price past the 32-bit range is clamped", 1e12, 99.0, u"￥2147483647", u"￥99", u"￥2147483548"},
    {"a drop past the range is clamped", 1e12, -1e12, u"￥2147483647", u"￥-2147483648", u"￥2147483647"},
    {"a rise past the range is clamped", -1e12, 1e12, u"￥-2147483648", u"￥2147483647", u"￥-2147483648"},
    {"NaN counts as 0", kNaN, 80.5, u"￥0", u"￥80", u"￥-80"},
    {"NaN now", 120.0, kNaN, u"￥120", u"￥0", u"￥120"},
    {"infinity is clamped", kInf, -kInf, u"￥2147483647", u"￥-2147483648", u"￥2147483647"},
    {"negative prices truncate toward zero", -0.9, -10.5, u"￥0", u"￥-10", u"￥10"},
};

TEST(PriceFigures, ShowsClampedWholeYuan) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(std::u16string(YuanText(PriceIntegerPart(c.previous))), c.previousText);
    EXPECT_EQ(std::u16string(YuanText(PriceIntegerPart(c.current))), c.currentText);
    EXPECT_EQ(std::u16string(YuanText(DropInWholeYuan(c.previous, c.current))), c.dropText);
  }
}

TEST(PriceFigures, TheDropAtTheEdgesOfTheRange) {
  EXPECT_EQ(DropInWholeYuan(2147483647.9, -2147483648.9), INT_MAX);
  EXPECT_EQ(DropInWholeYuan(-2147483648.9, 2147483647.9), INT_MIN);
  EXPECT_EQ(DropInWholeYuan(2147483646.5, 0.9), 2147483646);
}

}  // namespace
