#pragma once
// Both programs print prices as whole numbers ("%d"): the integer part, truncated
// toward zero. A price from a damaged file may be NaN or lie beyond what 32
// bits hold; converting those is undefined, so they are pinned here.
#include <climits>
#include <cmath>

// Truncated toward zero and clamped to the 32-bit range; NaN gives 0.
inline int PriceIntegerPart(double price) {
  if (std::isnan(price)) return 0;
  if (price >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (price <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(price);
}
