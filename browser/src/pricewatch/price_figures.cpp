#include "price_figures.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "win/crt_format.h"

int WholeYuan(double price) {
  if (std::isnan(price)) return 0;
  const double whole = std::trunc(price);
  if (whole >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (whole <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(whole);
}

int DropInWholeYuan(double previousPrice, double currentPrice) {
  const int64_t drop = static_cast<int64_t>(WholeYuan(previousPrice)) - WholeYuan(currentPrice);
  if (drop > INT_MAX) return INT_MAX;
  if (drop < INT_MIN) return INT_MIN;
  return static_cast<int>(drop);
}

CString YuanText(int yuan) {
  CString text;
  text.Format(u"￥%d", yuan);
  return text;
}
