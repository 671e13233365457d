#pragma once
// Reading a price from an element's text. The price is the first number in
// the text: a run of digits and points, where a comma between two digits is
// a thousands separator and drops out ("¥1,299.00" gives 1299.0); every
// other character ends the number, so "12.00 - 15.00" gives 12.0 and "-5"
// gives 5.0. A run without a digit is no number. The run is read as the C
// runtime reads a decimal (its longest leading number; "1.2.3" gives 1.2).
// Pure functions.
#include <string>
#include <string_view>

// False, with *price as it was, when the text holds no digit (a placeholder
// such as "..." or "暂无报价" is no price of 0).
bool ParsePriceText(std::u16string_view text, double* price);

// The C runtime's reading of a decimal at the start of text (blanks
// skipped, the longest leading number): *value gets it, 0.0 when there is
// none ("¥12.00" gives 0.0, "12.00 - 15.00" gives 12.0). True when a number
// was read.
bool ReadLeadingDecimal(const std::u16string& text, double* value);
