// Which code page a downloaded page is read in.
#include "page_charset.h"
#include "test_support.h"

namespace {

using shopping_test::Encode;
using shopping_test::Narrow;

TEST(PageCharset, DeclarationDecidesUtf8OrCodePage936) {
  const std::u16string body = u"<span>价格 ￥88.00</span>";
  struct Case {
    const char* name;
    std::u16string head;
    UINT written;  // how the page's bytes were written
    bool readBack;  // whether the text comes back as written
  } cases[] = {
      {"utf-8 declared", u"<meta charset=utf-8>", CP_UTF8, true},
      {"utf-8 in a content type", u"<meta content=\"text/html; charset=utf-8\">", CP_UTF8, true},
      {"UTF-8 in capitals is read as 936", u"<meta charset=UTF-8>", CP_UTF8, false},
      {"charset = utf-8 with blanks is read as 936", u"<meta charset = utf-8>", CP_UTF8, false},
      {"gbk declared", u"<meta charset=gbk>", CP_GBK, true},
      {"nothing declared", u"", CP_GBK, true},
      {"utf-8 bytes without declaration", u"", CP_UTF8, false},
  };
  for (const Case& c : cases) {
    std::u16string page = c.head + body;
    std::string bytes = Encode(c.written, page);
    EXPECT_EQ(DecodePageBytes(bytes.c_str()) == page, c.readBack) << c.name;
  }
}

TEST(PageCharset, StopsAtTheFirstZeroByte) {
  std::string bytes("<p>12</p>\0<meta charset=utf-8>", 31);
  EXPECT_EQ(DecodePageBytes(bytes.c_str()), u"<p>12</p>");
  EXPECT_EQ(DecodePageBytes(""), u"");
  EXPECT_EQ(DecodePageBytes(nullptr), u"");
}

TEST(PageCharset, TheDeclarationIsLookedForInTheAnsiText) {
  // 0x81 starts a two-byte character in 936 and takes the "c" with it, so
  // that declaration is not there in the ANSI reading.
  const std::string swallowed = "<meta \x81" "charset=utf-8>";
  const std::string utf8Text = "<p>\xE4\xBB\xB7</p>";  // 价 in UTF-8
  struct Case {
    const char* name;
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"swallowed", swallowed + utf8Text, false},
      {"swallowed, then a whole one", swallowed + "<meta charset=utf-8>" + utf8Text, true},
      {"a whole one", "<meta charset=utf-8>" + utf8Text, true},
      {"a lead byte before the blank", "<meta\x81 charset=utf-8>" + utf8Text, true},
  };
  for (const Case& c : cases) {
    std::u16string text = DecodePageBytes(c.bytes.c_str());
    EXPECT_EQ(text.find(u"价") != std::u16string::npos, c.utf8) << c.name << ": " << Narrow(text);
  }
}

}  // namespace
