// Typed text into addresses, and addresses into the text the control reports.
#include <gtest/gtest.h>

#include "web_address.h"

namespace {

TEST(WebAddress, TypedTextBecomesAnEncodedAddress) {
  struct Case {
    const char* typed;
    const char* reported;  // "" when the text names no address
  };
  const Case cases[] = {
      {"127.0.0.1:8080/a", "http://127.0.0.1:8080/a"},
      {"  www.taobao.com  ", "http://www.taobao.com"},
      {"http://h/s?q=%CA%D6%BB%FA", "http://h/s?q=%CA%D6%BB%FA"},
      {"http://h/s?q=手机", "http://h/s?q=%E6%89%8B%E6%9C%BA"},
      {"http://h/a b?c d", "http://h/a%20b?c%20d"},
      {"http://h/50%off", "http://h/50%25off"},
      {"http://h/u%2Fv?x=%26%3D", "http://h/u%2Fv?x=%26%3D"},
      // The toolkit's one liberty: an escaped unreserved character is the
      // character (the same address by the URL rules).
      {"http://h/s?q=%61%62", "http://h/s?q=ab"},
      // Host names in their ASCII form.
      {"http://例子.测试/页", "http://xn--fsqu00a.xn--0zwm56d/%E9%A1%B5"},
      {"", ""},
      {"   ", ""},
  };
  for (const Case& c : cases) {
    const QUrl address = quorla::AddressFromTypedText(QString::fromUtf8(c.typed));
    EXPECT_EQ(address.isEmpty() ? std::string() : quorla::EncodedAddress(address).toStdString(), c.reported)
        << c.typed;
  }
}

TEST(WebAddress, TextsBecomeBstrsOfTheirLength) {
  for (const QString& text : {QString(), QStringLiteral("淘宝 a")}) {
    BSTR bstr = quorla::ToBstr(text);
    ASSERT_NE(bstr, nullptr);
    EXPECT_EQ(SysStringLen(bstr), static_cast<UINT>(text.size()));
    EXPECT_EQ(QString::fromUtf16(bstr, SysStringLen(bstr)), text);
    SysFreeString(bstr);
  }
}

}  // namespace
