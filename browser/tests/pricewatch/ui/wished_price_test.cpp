// The price the offer bar watches at, from what the user confirmed, against
// a current price of 99.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "wished_price.h"

namespace {

constexpr double kCurrent = 99.0;

struct Case {
  const char* name;
  const char16_t* text;
  bool showsHint;
  std::optional<double> watched;
};

const Case kCases[] = {
    {"empty box", u"", false, std::nullopt},
    {"the hint", u"输入您愿意买的价格", true, std::nullopt},
    {"letters", u"abc", false, std::nullopt},
    {"zero", u"0", false, std::nullopt},
    {"negative", u"-5", false, std::nullopt},
    {"below the current price", u"88", false, 88.0},
    {"pasted with a tail", u"88.5abc", false, 88.5},
    {"above the current price", u"150", false, kCurrent},
    {"at the current price", u"99", false, kCurrent},
    {"overflowing", u"1e999", false, kCurrent},
    {"not a number", u"nan", false, std::nullopt},
    {"hint flag wins over digits", u"88", true, std::nullopt},
};

TEST(WishedPrice, WatchesOnlyWhatCanBeReported) {
  for (const Case& c : kCases) EXPECT_EQ(ChooseWatchPrice(c.text, c.showsHint, kCurrent), c.watched) << c.name;
}

}  // namespace
