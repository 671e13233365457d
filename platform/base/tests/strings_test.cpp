#include <gtest/gtest.h>

#include "win/strings.h"

namespace {

TEST(WideStrings, LengthCopyAndConcatenate) {
  EXPECT_EQ(lstrlenW(u""), 0);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenW(u"价格abc"), 5);

  WCHAR buf[6];
  lstrcpynW(buf, u"abcdefgh", 6);
  EXPECT_EQ(std::u16string(buf), u"abcde");  // max-1 units and a terminator
  lstrcpynW(buf, u"ab", 6);
  EXPECT_EQ(std::u16string(buf), u"ab");
  buf[0] = u'x';
  lstrcpynW(buf, u"abc", 1);
  EXPECT_EQ(buf[0], 0);

  WCHAR joined[16];
  lstrcpyW(joined, u"Pel");
  lstrcatW(joined, u"mor");
  EXPECT_EQ(std::u16string(joined), u"Pelmor");
}

TEST(WideStrings, CaseBlindComparisons) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int n;
    bool equal;
  } cases[] = {
      {u"CHtmlParser", u"chtmlparser", -1, true},
      {u"CHtmlParser", u"CHtml", 5, true},
      {u"CHtmlParser", u"CHtmlX", 6, false},
      {u"CHtml", u"CHtmlParser", 11, false},
      {u"ÄÖÜ", u"äöü", -1, true},
      {u"ПРИВЕТ", u"привет", -1, true},
      {u"价格", u"价格", -1, true},
      {u"abc", u"abd", -1, false},
      {u"anything", u"else", 0, true},
  };
  for (const Case& c : cases) {
    int result = c.n < 0 ? StrCmpIW(c.a, c.b) : StrCmpNIW(c.a, c.b, c.n);
    EXPECT_EQ(result == 0, c.equal) << std::u16string(c.a).size();
  }
  EXPECT_NE(StrCmpW(u"abc", u"ABC"), 0);
  EXPECT_LT(StrCmpIW(u"abc", u"abd"), 0);
  EXPECT_GT(StrCmpIW(u"abd", u"ABC"), 0);
  EXPECT_LT(lstrcmpW(u"ab", u"abc"), 0);
}

TEST(WideStrings, FindCharactersAndTexts) {
  const char16_t* s = u"Gravik.CLib.Png";
  EXPECT_EQ(StrChrW(s, u'.'), s + 6);
  EXPECT_EQ(StrRChrW(s, nullptr, u'.'), s + 11);
  EXPECT_EQ(StrRChrW(s, s + 8, u'.'), s + 6);
  EXPECT_EQ(StrChrW(s, u'#'), nullptr);
  EXPECT_EQ(StrStrW(s, u"CLib"), s + 7);
  EXPECT_EQ(StrStrW(s, u"clib"), nullptr);
  EXPECT_EQ(StrStrIW(s, u"clib"), s + 7);

  WCHAR upper[] = u"abc-äß";
  CharUpperW(upper);
  EXPECT_EQ(std::u16string(upper), u"ABC-Äß");  // ß has no single-unit capital
}

}  // namespace
