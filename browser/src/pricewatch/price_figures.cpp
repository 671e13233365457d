#include "price_figures.h"

#include <climits>
#include <cstdint>

#include "vxshared/price_integer.h"

int DropInWholeYuan(double previousPrice, double currentPrice) {
  const int64_t drop = static_cast<int64_t>(PriceIntegerPart(previousPrice)) - PriceIntegerPart(currentPrice);
  if (drop > INT_MAX) return INT_MAX;
  if (drop < INT_MIN) return INT_MIN;
  return static_cast<int>(drop);
}

CString YuanText(int yuan) {
  CString text;
  text.Format(u"￥%d", yuan);
  return text;
}
