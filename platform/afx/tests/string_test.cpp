#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "afx/string.h"

namespace {

std::string Narrow(const CString& text) {
  std::string out;
  for (int i = 0; i < text.GetLength(); ++i) {
    WCHAR ch = text[i];
    out += ch < 0x80 ? static_cast<char>(ch) : '?';
  }
  return out;
}

struct Case {
  const char* name;
  std::function<CString()> make;
  const char16_t* expected;
};

TEST(CStringTest, PartsSearchesAndEditsTable) {
  const CString hello(u"Hello, World");
  const Case cases[] = {
      {"Left", [&] { return hello.Left(5); }, u"Hello"},
      {"Left past the end", [&] { return hello.Left(100); }, u"Hello, World"},
      {"Left negative", [&] { return hello.Left(-1); }, u""},
      {"Mid from", [&] { return hello.Mid(7); }, u"World"},
      {"Mid with count", [&] { return hello.Mid(7, 3); }, u"Wor"},
      {"Mid count past the end", [&] { return hello.Mid(7, 50); }, u"World"},
      {"Mid from past the end", [&] { return hello.Mid(40); }, u""},
      {"Mid negative start", [&] { return hello.Mid(-3, 2); }, u"He"},
      {"Right", [&] { return hello.Right(5); }, u"World"},
      {"Right past the length", [&] { return hello.Right(99); }, u"Hello, World"},
      {"Replace text", [] { CString s(u"a-b-c"); s.Replace(u"-", u"--"); return s; }, u"a--b--c"},
      {"Replace does not rescan", [] { CString s(u"aaa"); s.Replace(u"a", u"aa"); return s; }, u"aaaaaa"},
      {"Replace with nothing", [] { CString s(u"x.y.z"); s.Replace(u".", nullptr); return s; }, u"xyz"},
      {"Replace empty old text", [] { CString s(u"abc"); s.Replace(u"", u"z"); return s; }, u"abc"},
      {"Replace character", [] { CString s(u"a\\b\\c"); s.Replace(u'\\', u'/'); return s; }, u"a/b/c"},
      {"Trim white space", [] { CString s(u" \t text \r\n"); s.Trim(); return s; }, u"text"},
      {"TrimLeft", [] { CString s(u"  text  "); s.TrimLeft(); return s; }, u"text  "},
      {"TrimRight", [] { CString s(u"  text  "); s.TrimRight(); return s; }, u"  text"},
      {"Trim only blanks", [] { CString s(u"   "); s.Trim(); return s; }, u""},
      {"Trim character", [] { CString s(u"//a/b//"); s.Trim(u'/'); return s; }, u"a/b"},
      {"TrimRight set", [] { CString s(u"path\\/\\"); s.TrimRight(u"\\/"); return s; }, u"path"},
      {"Trim keeps the ideographic blank", [] { CString s(u"\u3000x "); s.Trim(); return s; }, u"\u3000x"},
      {"MakeLower", [] { CString s(u"HeLLo ÄÖ"); s.MakeLower(); return s; }, u"hello äö"},
      {"MakeUpper", [] { CString s(u"http://Ab"); s.MakeUpper(); return s; }, u"HTTP://AB"},
      {"Delete middle", [] { CString s(u"abcdef"); s.Delete(2, 2); return s; }, u"abef"},
      {"Delete past the end", [] { CString s(u"abc"); s.Delete(1, 10); return s; }, u"a"},
      {"Insert", [] { CString s(u"ad"); s.Insert(1, u"bc"); return s; }, u"abcd"},
      {"Insert past the end", [] { CString s(u"ab"); s.Insert(9, u'c'); return s; }, u"abc"},
      {"Remove", [] { CString s(u"a b c"); s.Remove(u' '); return s; }, u"abc"},
      {"plus", [] { return CString(u"a") + u"b" + CString(u"c") + u'd'; }, u"abcd"},
      {"text plus", [] { return u"x" + CString(u"y"); }, u"xy"},
      {"null text", [] { return CString(static_cast<LPCWSTR>(nullptr)); }, u""},
      {"counted text", [] { return CString(u"abcdef", 3); }, u"abc"},
      {"repeated character", [] { return CString(u'-', 3); }, u"---"},
      {"Chinese text", [] { CString s(u"降价通知 - 打开"); return s.Mid(7); }, u"打开"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CString result = c.make();
    EXPECT_EQ(result.str(), std::u16string(c.expected)) << Narrow(result);
  }
}

TEST(CStringTest, FindTable) {
  const CString text(u"abcabc");
  const struct {
    const char* name;
    int found;
    int expected;
  } cases[] = {
      {"character", text.Find(u'c'), 2},
      {"character from", text.Find(u'c', 3), 5},
      {"character missing", text.Find(u'z'), -1},
      {"character from past the end", text.Find(u'a', 6), -1},
      {"character negative start", text.Find(u'a', -1), -1},
      {"text", text.Find(u"ca"), 2},
      {"text from", text.Find(u"abc", 1), 3},
      {"text missing", text.Find(u"abd"), -1},
      {"empty text", text.Find(u""), 0},
      {"empty text at the end", text.Find(u"", 6), 6},
      {"null text", text.Find(static_cast<LPCWSTR>(nullptr)), -1},
      {"reverse", text.ReverseFind(u'b'), 4},
      {"reverse missing", text.ReverseFind(u'z'), -1},
      {"one of", text.FindOneOf(u"xc"), 2},
      {"one of none", text.FindOneOf(u"xyz"), -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.found, c.expected) << c.name;
}

TEST(CStringTest, ComparisonsTable) {
  const struct {
    const char16_t* a;
    const char16_t* b;
    int compare;
    int compareNoCase;
  } cases[] = {
      {u"abc", u"abc", 0, 0},
      {u"abc", u"ABC", 1, 0},
      {u"/TRAY", u"/tray", -1, 0},
      {u"/tray ", u"/tray", 1, 1},
      {u"", u"a", -1, -1},
      {u"b", u"a", 1, 1},
      {u"QuorlaMainFrame", u"quorlamainframe", -1, 0},
  };
  for (const auto& c : cases) {
    CString a(c.a);
    SCOPED_TRACE(Narrow(a) + " / " + Narrow(CString(c.b)));
    EXPECT_EQ(a.Compare(c.b), c.compare);
    EXPECT_EQ(a.CompareNoCase(c.b), c.compareNoCase);
    EXPECT_EQ(a == c.b, c.compare == 0);
    EXPECT_EQ(a != CString(c.b), c.compare != 0);
  }
  EXPECT_EQ(CString(u"x").Compare(nullptr), 1);
  EXPECT_TRUE(CString(u"a") < CString(u"b"));
}

TEST(CStringTest, FormatTable) {
  const struct {
    const char* name;
    std::function<void(CString&)> format;
    const char16_t* expected;
  } cases[] = {
      // The conversions themselves are the formatting layer's tests.
      {"count", [](CString& s) { s.Format(u"您已收藏 %u 款降价通知商品", 12u); }, u"您已收藏 12 款降价通知商品"},
      {"text argument", [](CString& s) { s.Format(u"打开 %s", CString(u"http://a/").GetString()); }, u"打开 http://a/"},
      {"replaces what was there", [](CString& s) { s = u"old"; s.Format(u"%d", 7); }, u"7"},
      {"appends", [](CString& s) { s = u"a"; s.AppendFormat(u"%c%d", u'b', 1); }, u"ab1"},
      {"longer than any first guess", [](CString& s) { s.Format(u"%0600d|", 5); }, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CString s;
    c.format(s);
    if (c.expected) {
      EXPECT_EQ(s.str(), std::u16string(c.expected));
    } else {
      ASSERT_EQ(s.GetLength(), 601);
      EXPECT_EQ(s.Right(2), u"5|");
    }
  }
}

TEST(CStringTest, BufferAccess) {
  CString s(u"ab");
  LPWSTR buffer = s.GetBuffer(10);
  EXPECT_EQ(buffer[0], u'a');
  buffer[2] = u'c';
  buffer[3] = 0;
  s.ReleaseBuffer();
  EXPECT_EQ(s, u"abc");

  buffer = s.GetBuffer(4);
  buffer[0] = u'x';
  s.ReleaseBuffer(1);
  EXPECT_EQ(s, u"x");

  buffer = s.GetBufferSetLength(3);
  buffer[1] = u'y';
  buffer[2] = u'z';
  s.ReleaseBuffer(3);
  EXPECT_EQ(s, u"xyz");

  // A length beyond the buffer keeps what is there.
  s.ReleaseBuffer(50);
  EXPECT_EQ(s, u"xyz");
  EXPECT_EQ(std::u16string_view(s.GetString()).size(), 3u);
}

TEST(CStringTest, LoadStringTable) {
  const struct {
    UINT id;
    BOOL loaded;
    std::u16string text;
  } cases[] = {
      {1003, TRUE, u"最大化"},
      {1004, TRUE, u"关闭"},
      {4999, FALSE, u""},  // not in the table: what the text held is gone too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    CString s(u"before");
    EXPECT_EQ(s.LoadString(c.id), c.loaded);
    EXPECT_EQ(s.str(), c.text);
  }
}

}  // namespace
