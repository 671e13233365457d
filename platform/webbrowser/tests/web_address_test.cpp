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

TEST(WebAddress, OnlyTextThatTheAddressTypeWouldChangeGoesAsWritten) {
  struct Case {
    const char* typed;
    const char* exact;  // "" when the address type keeps it as it is
  };
  const Case cases[] = {
      {"http://h/s?q=%61%62", "http://h/s?q=%61%62"},
      {"  https://h/%7e/x?k=%2D  ", "https://h/%7e/x?k=%2D"},
      {"h:8080/s?q=%61", "http://h:8080/s?q=%61"},
      // Kept as they are anyway.
      {"http://h/s?q=%CA%D6%BB%FA", ""},
      {"http://h/u%2Fv?x=%26%3D", ""},
      {"127.0.0.1:8080/a", ""},
      // Not all printable ASCII, or no web address.
      {"http://h/s?q=%61 b", ""},
      {"http://h/s?q=手机%61", ""},
      {"ftp://h/%61", ""},
      {"file:///tmp/%61", ""},
      {"http://h/50%zz%61", ""},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(quorla::ExactAddressText(QString::fromUtf8(c.typed)).toStdString(), c.exact) << c.typed;
}

TEST(WebAddress, TheScriptQuotesTheAddress) {
  struct Case {
    const char* address;
    bool replace;
    const char* part;  // found in the script
  };
  const Case cases[] = {
      {"http://h/s?q=%61", true, "location.replace('http://h/s?q=%61')"},
      {"http://h/s?q=%61", false, "a.href='http://h/s?q=%61'"},
      {"http://h/it's", false, "a.href='http://h/it\\'s'"},
      {"http://h/a\\b", true, "'http://h/a\\\\b'"},
  };
  for (const Case& c : cases) {
    const QString script = quorla::ExactNavigationScript(QString::fromUtf8(c.address), c.replace);
    EXPECT_TRUE(script.contains(QString::fromUtf8(c.part))) << script.toStdString();
    EXPECT_EQ(script.contains(QLatin1String("noreferrer")), !c.replace) << c.address;
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
