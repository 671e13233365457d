#include <gtest/gtest.h>
#include <locale.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <string>

#include "win/crt_numbers.h"

namespace {

TEST(CrtNumbers, DecimalReaderTakesTheLongestLeadingNumber) {
  struct Case {
    const char16_t* text;
    double value;
    std::size_t consumed;
  } cases[] = {
      {u"12.5", 12.5, 4},
      {u"  \t12.5元", 12.5, 7},
      {u"\u300099.00", 99.0, 6},  // ideographic space is a blank
      {u"+3", 3.0, 2},
      {u"-0.25x", -0.25, 5},
      {u".5", 0.5, 2},
      {u"5.", 5.0, 2},
      {u"12.0015.00", 12.0015, 7},
      {u"1e3", 1000.0, 3},
      {u"1E-2y", 0.01, 4},
      {u"2e", 2.0, 1},
      {u"2e+", 2.0, 1},
      {u"0x1A", 0.0, 1},
      {u"nan", 0.0, 0},
      {u"inf", 0.0, 0},
      {u"infinity", 0.0, 0},
      {u"¥12.00", 0.0, 0},
      {u".", 0.0, 0},
      {u"...", 0.0, 0},
      {u"-", 0.0, 0},
      {u"", 0.0, 0},
      {u"1,299.00", 1.0, 1},
  };
  for (const Case& c : cases) {
    LPWSTR end = nullptr;
    double v = _wcstod(c.text, &end);
    EXPECT_DOUBLE_EQ(v, c.value) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_EQ(static_cast<std::size_t>(end - c.text), c.consumed);
    EXPECT_DOUBLE_EQ(_wtof(c.text), c.value);
  }
  EXPECT_EQ(_wtof(nullptr), 0.0);
}

TEST(CrtNumbers, DecimalReaderIgnoresTheProcessLocale) {
  // A locale whose decimal separator is a comma must not change the reading.
  const char* previous = setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  bool switched = setlocale(LC_NUMERIC, "de_DE.UTF-8") || setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  EXPECT_DOUBLE_EQ(_wtof(u"3.75"), 3.75);
  EXPECT_DOUBLE_EQ(_wtof(u"3,75"), 3.0);
  setlocale(LC_NUMERIC, saved.c_str());
  if (!switched) GTEST_LOG_(INFO) << "no comma locale installed; read in the C locale only";
}

TEST(CrtNumbers, DecimalOverflowAndUnderflow) {
  errno = 0;
  EXPECT_EQ(_wtof(u"1e999"), HUGE_VAL);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(_wtof(u"-1e999"), -HUGE_VAL);
  errno = 0;
  EXPECT_EQ(_wtof(u"1e-999"), 0.0);
  EXPECT_EQ(errno, ERANGE);
  std::u16string tiny = u"0." + std::u16string(400, u'0') + u"1";
  EXPECT_EQ(_wtof(tiny.c_str()), 0.0);
  std::u16string huge = u"1" + std::u16string(400, u'0');
  EXPECT_EQ(_wtof(huge.c_str()), HUGE_VAL);
  EXPECT_DOUBLE_EQ(_wtof(u"0.000000000000000000000000000000001e40"), 1e7);
}

TEST(CrtNumbers, IntegerReaders) {
  struct Case {
    const char16_t* text;
    int value;
  } cases[] = {
      {u"42", 42},       {u"  -7abc", -7}, {u"+15", 15},          {u"abc", 0},
      {u"", 0},          {u"3.9", 3},      {u"0x10", 0},          {u"2147483647", INT_MAX},
      {u"2147483648", INT_MAX},            {u"-2147483648", INT_MIN}, {u"-99999999999", INT_MIN},
      {u"\u00A0 12", 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(_wtoi(c.text), c.value);
    EXPECT_EQ(_wtol(c.text), c.value);
  }
  EXPECT_EQ(_wtoi(nullptr), 0);
  EXPECT_EQ(_wtoi64(u"9223372036854775807"), LLONG_MAX);
  EXPECT_EQ(_wtoi64(u"99999999999999999999"), LLONG_MAX);
  EXPECT_EQ(_wtoi64(u"-9223372036854775808"), LLONG_MIN);
  EXPECT_EQ(_wtoi64(u"1700000000"), 1700000000LL);
}

TEST(CrtNumbers, CountedIntegerReaders) {
  LPWSTR end = nullptr;
  const char16_t* text = u" 30 minutes";
  EXPECT_EQ(_wcstoul(text, &end, 10), 30u);
  EXPECT_EQ(end, text + 3);
  EXPECT_EQ(_wcstoul(u"4294967295", nullptr, 10), 4294967295u);
  EXPECT_EQ(_wcstoul(u"4294967296", nullptr, 10), 4294967295u);
  EXPECT_EQ(_wcstoul(u"-1", nullptr, 10), 4294967295u);
  const char16_t* none = u"  x";
  EXPECT_EQ(_wcstoul(none, &end, 10), 0u);
  EXPECT_EQ(end, none);
  EXPECT_EQ(_wcstoui64(u"18446744073709551615", nullptr, 10), ULLONG_MAX);
  EXPECT_EQ(_wcstoui64(u"18446744073709551616", nullptr, 10), ULLONG_MAX);
  EXPECT_EQ(_wcstol(u"ff", nullptr, 16), 255);
  EXPECT_EQ(_wcstol(u"0x10", nullptr, 0), 0);  // no prefixes
  EXPECT_EQ(_wcstol(u"-2147483649", nullptr, 10), INT_MIN);  // LONG is 32-bit
  EXPECT_EQ(_wcstoi64(u"-12", nullptr, 10), -12);
  EXPECT_EQ(_wcstol(u"12", nullptr, 1), 0);
}

TEST(CrtNumbers, Blanks) {
  for (char16_t c : {u' ', u'\t', u'\n', u'\v', u'\f', u'\r', u'\u00A0', u'\u3000', u'\u2003'})
    EXPECT_TRUE(QuorlaIsSpaceUnit(c)) << int(c);
  for (char16_t c : {u'a', u'0', u'.', u'\0', u'\u4E00', u'\uFEFF'}) EXPECT_FALSE(QuorlaIsSpaceUnit(c)) << int(c);
}

}  // namespace
