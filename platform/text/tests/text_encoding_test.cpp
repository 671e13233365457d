#include <gtest/gtest.h>

#include <string>
#include <atomic>
#include <thread>
#include <vector>

#include "win/last_error.h"
#include "win/text_encoding.h"

namespace {

std::u16string Decode(UINT codePage, const std::string& bytes, DWORD flags = 0) {
  int n = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n > 0 ? n : 0), u'\0');
  if (n > 0) {
    EXPECT_EQ(MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n), n);
  }
  return out;
}

std::string Encode(UINT codePage, const std::u16string& text, BOOL* usedDefault = nullptr) {
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, usedDefault);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    EXPECT_EQ(WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                                  usedDefault),
              n);
  }
  return out;
}

TEST(TextEncoding, CodePage936RoundTrips) {
  struct Case {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"\xCA\xD6\xBB\xFA", u"手机"},
      {"abc", u"abc"},
      {"\xBC\xDB\xB8\xF1: 12.00\xD4\xAA", u"价格: 12.00元"},
      {"\x80", u"€"},  // the Windows code page's euro sign
      {"\xA3\xA4", u"￥"},
  };
  for (UINT cp : {CP_GBK, CP_ACP, CP_THREAD_ACP}) {
    for (const Case& c : cases) {
      EXPECT_EQ(Decode(cp, c.bytes), c.text);
      EXPECT_EQ(Encode(cp, c.text), c.bytes);
    }
  }
}

TEST(TextEncoding, BrokenBytesBecomeReplacementsWithoutSwallowingText) {
  // A lead byte followed by '<' must not eat the '<'.
  EXPECT_EQ(Decode(CP_GBK, "\xCA<b>"), u"\uFFFD<b>");
  EXPECT_EQ(Decode(CP_GBK, "ab\xFF"), u"ab\uFFFD");
  EXPECT_EQ(Decode(CP_GBK, "ab\xCA"), u"ab\uFFFD");
  EXPECT_EQ(Decode(CP_UTF8, "a\xE4\xBD"), u"a\uFFFD");
  EXPECT_EQ(Decode(CP_UTF8, "\xC0\xAFx").back(), u'x');
  std::string bytes = "\xCA<";
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_GBK, MB_ERR_INVALID_CHARS, bytes.data(), 2, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  bytes = "\xE4\xBD";
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), 2, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(TextEncoding, Utf8) {
  EXPECT_EQ(Decode(CP_UTF8, "\xE4\xBB\xB7\xE6\xA0\xBC"), u"价格");
  EXPECT_EQ(Decode(CP_UTF8, "\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Encode(CP_UTF8, u"价格"), "\xE4\xBB\xB7\xE6\xA0\xBC");
  EXPECT_EQ(Encode(CP_UTF8, std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(TextEncoding, UnmappableUnitsTakeTheDefaultCharacter) {
  BOOL used = FALSE;
  EXPECT_EQ(Encode(CP_GBK, u"a\U0001F600b", &used), "a?b");
  EXPECT_TRUE(used);
  EXPECT_EQ(Encode(CP_GBK, u"ab", &used), "ab");
  EXPECT_FALSE(used);
  std::u16string lone(1, u'\xDC00');
  EXPECT_EQ(Encode(CP_GBK, lone, &used), "?");
  char out[4] = {};
  const char star = '*';
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, u"\u0E01", 1, out, 4, &star, &used), 1);
  EXPECT_EQ(out[0], '*');
}

TEST(TextEncoding, TerminatorsSizesAndErrors) {
  // -1 counts the terminator in both directions.
  EXPECT_EQ(MultiByteToWideChar(CP_GBK, 0, "\xCA\xD6", -1, nullptr, 0), 2);
  char16_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_GBK, 0, "\xCA\xD6", -1, wide, 8), 2);
  EXPECT_EQ(std::u16string(wide), u"手");
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"手", -1, nullptr, 0, nullptr, nullptr), 4);

  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_GBK, 0, "abcdef", 6, wide, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  struct Bad {
    UINT cp;
    const char* bytes;
    int count;
  } bad[] = {{1252, "a", 1}, {CP_UTF8, nullptr, 1}, {CP_UTF8, "a", 0}, {CP_UTF8, "a", -2}};
  for (const Bad& b : bad) {
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(b.cp, 0, b.bytes, b.count, wide, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  BOOL used;
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  // Zero bytes inside a counted text are kept.
  EXPECT_EQ(Decode(CP_GBK, std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(TextEncoding, ThreadLocaleBelongsToItsThread) {
  EXPECT_EQ(GetACP(), 936u);
  LCID original = GetThreadLocale();
  EXPECT_EQ(original, LOCALE_ZH_CN);
  EXPECT_TRUE(SetThreadLocale(0x20804));
  LCID seenByOther = 0;
  std::thread([&] { seenByOther = GetThreadLocale(); }).join();
  EXPECT_EQ(GetThreadLocale(), 0x20804u);
  EXPECT_EQ(seenByOther, LOCALE_ZH_CN);
  SetThreadLocale(original);
}

TEST(TextEncoding, ConvertersAreUsableFromManyThreads) {
  std::vector<std::thread> threads;
  std::atomic<int> wrong{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i) {
        if (Decode(CP_GBK, "\xCA\xD6\xBB\xFA\xCA") != u"手机\uFFFD") ++wrong;
        if (Encode(CP_GBK, u"手机") != "\xCA\xD6\xBB\xFA") ++wrong;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
