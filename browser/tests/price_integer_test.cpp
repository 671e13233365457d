// Prices printed as whole numbers: truncated toward zero, pinned to what 32
// bits hold.
#include <gtest/gtest.h>

#include <limits>

#include "vxshared/price_integer.h"

namespace {

TEST(PriceIntegerPart, TruncatesTowardZeroAndClampsTo32Bits) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  struct Case {
    double price;
    int expected;
  };
  const Case cases[] = {
      {99.2, 99},
      {80.5, 80},
      {99.2 - 80.5, 18},
      {0.99, 0},
      {-0.5, 0},
      {-12.9, -12},
      {2147483647.0, 2147483647},
      {2147483647.9, 2147483647},
      {2147483648.0, 2147483647},
      {1e300, 2147483647},
      {infinity, 2147483647},
      {-2147483648.0, -2147483647 - 1},
      {-2147483649.5, -2147483647 - 1},
      {-infinity, -2147483647 - 1},
      {nan, 0},
      {-nan, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PriceIntegerPart(c.price), c.expected) << c.price;
}

}  // namespace
