#include <gtest/gtest.h>
#include <locale.h>

#include <string>

#include "win/crt_format.h"

namespace {

std::u16string Formatted(const char16_t* format, ...) {
  char16_t buffer[256];
  va_list args;
  va_start(args, format);
  HRESULT hr = StringCchVPrintfW(buffer, 256, format, args);
  va_end(args);
  EXPECT_EQ(hr, S_OK);
  return buffer;
}

TEST(CrtFormat, ConversionsTheSystemUses) {
  EXPECT_EQ(Formatted(u"%.02f元", 99.5), u"99.50元");
  EXPECT_EQ(Formatted(u"%.2f", 0.005), u"0.01");
  EXPECT_EQ(Formatted(u"%.2f", -1.0), u"-1.00");
  EXPECT_EQ(Formatted(u"%d-%d-%d", 2024, 3, 7), u"2024-3-7");
  EXPECT_EQ(Formatted(u"%02d%02d%02d", 3, 7, 14), u"030714");
  EXPECT_EQ(Formatted(u"%u", 4294967295u), u"4294967295");
  EXPECT_EQ(Formatted(u"%llu", 18446744073709551615ull), u"18446744073709551615");
  EXPECT_EQ(Formatted(u"%I64d", -5ll), u"-5");
  EXPECT_EQ(Formatted(u"%%%02X", 0xCA), u"%CA");
  EXPECT_EQ(Formatted(u"%x", 255), u"ff");
  EXPECT_EQ(Formatted(u"打开 %s", u"http://a/"), u"打开 http://a/");
  EXPECT_EQ(Formatted(u"%.20s|", u"一二三四五六七八九十一二三四五六七八九十廿"), u"一二三四五六七八九十一二三四五六七八九十|");
  EXPECT_EQ(Formatted(u"%S/%hs", "narrow", "日"), u"narrow/日");
  EXPECT_EQ(Formatted(u"%ls", static_cast<const char16_t*>(nullptr)), u"(null)");
  EXPECT_EQ(Formatted(u"%c%c", u'价', u'x'), u"价x");
  EXPECT_EQ(Formatted(u"[%5d|%-5d|%05d|%+d]", 42, 42, -42, 7), u"[   42|42   |-0042|+7]");
  EXPECT_EQ(Formatted(u"[%*d]", 4, 1), u"[   1]");
  EXPECT_EQ(Formatted(u"%e", 12345.678), u"1.234568e+04");
  EXPECT_EQ(Formatted(u"%g", 0.0001), u"0.0001");
  EXPECT_EQ(Formatted(u"%zu", static_cast<std::size_t>(12)), u"12");
  EXPECT_EQ(Formatted(u"%q"), u"%q");
}

TEST(CrtFormat, NumbersIgnoreTheProcessLocale) {
  const char* previous = setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(Formatted(u"%.2f", 1234.5), u"1234.50");
  setlocale(LC_NUMERIC, saved.c_str());
}

TEST(CrtFormat, BufferLimits) {
  char16_t small[6];
  // The counted form: -1 and no terminator when the text does not fit.
  std::fill(std::begin(small), std::end(small), u'#');
  EXPECT_EQ(_snwprintf(small, 4, u"%d", 123456), -1);
  EXPECT_EQ(std::u16string(small, 5), u"1234#");
  EXPECT_EQ(_snwprintf(small, 6, u"%d", 12345), 5);
  EXPECT_EQ(std::u16string(small), u"12345");
  EXPECT_EQ(_snwprintf(small, 6, u"%d", 123), 3);
  EXPECT_EQ(std::u16string(small), u"123");
  EXPECT_EQ(_snwprintf(nullptr, 0, u"%d", 123456), 6);
  // The safe form always terminates.
  EXPECT_EQ(StringCchPrintfW(small, 6, u"%s", u"abcdefgh"), STRSAFE_E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(small), u"abcde");
  EXPECT_EQ(StringCchPrintfW(small, 6, u"%s", u"abcde"), S_OK);
  EXPECT_EQ(StringCchPrintfW(nullptr, 6, u"x"), STRSAFE_E_INVALID_PARAMETER);
  EXPECT_EQ(StringCchPrintfW(small, 0, u"x"), STRSAFE_E_INVALID_PARAMETER);
}

}  // namespace
