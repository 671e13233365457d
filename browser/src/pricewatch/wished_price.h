#pragma once
// The price at which the offer bar watches an item, from what the user
// confirmed. A price that is not above 0 could never be reported, so it
// watches nothing; one at or above the current price would be reported at
// the next check though nothing fell, so it watches at the current price,
// as "any drop" does.
#include <optional>

#include "win/types.h"

// boxText is read as its leading decimal number (0 with none); a box that
// shows its hint holds no price. Empty: watch nothing.
std::optional<double> ChooseWatchPrice(LPCWSTR boxText, bool showsHint, double currentPrice);
