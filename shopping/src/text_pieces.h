#pragma once
// Small text helpers shared by the price rules and the promotion data: both
// trim with the C runtime's blanks and split at runs of one separator. Pure
// functions; the views point into the caller's text.
#include <string>
#include <string_view>
#include <vector>

// text without the blanks at both ends.
std::u16string_view TrimBlanks(std::u16string_view text);
// The non-empty pieces of text between runs of separator, in order.
std::vector<std::u16string_view> SplitAtRuns(std::u16string_view text, char16_t separator);
// A copy in small letters (the layer's case folding of the BMP).
std::u16string LowerText(std::u16string_view text);
