#include "wished_price.h"

#include "win/crt_numbers.h"

std::optional<double> ChooseWatchPrice(LPCWSTR boxText, bool showsHint, double currentPrice) {
  if (showsHint || !boxText) return std::nullopt;
  const double wished = _wtof(boxText);
  // Written so that NaN, too, watches nothing.
  if (!(wished > 0.0)) return std::nullopt;
  if (wished >= currentPrice) return currentPrice;
  return wished;
}
