#include <gtest/gtest.h>

#include <string>

#include "caption_suffix.h"
#include "start_argument.h"

namespace {

struct ArgumentCase {
  const char* name;
  const char16_t* commandLine;
  const char16_t* argument;
  bool tray;
  bool price;
};

const ArgumentCase kArgumentCases[] = {
    {"path alone", u"\"/opt/q/VXBrowser\"", u"", false, false},
    {"one trailing blank", u"\"/opt/q/VXBrowser\" ", u"", false, false},
    {"tray", u"\"/opt/q/VXBrowser\" /tray", u"/tray", true, false},
    {"tray in capitals", u"\"/opt/q/VXBrowser\" /TRAY", u"/TRAY", true, false},
    {"price", u"\"/opt/q/VXBrowser\" /price", u"/price", false, true},
    {"price in capitals", u"\"/opt/q/VXBrowser\" /PRICE", u"/PRICE", false, true},
    {"price mixed case", u"\"/opt/q/VXBrowser\" /PrIcE", u"/PrIcE", false, true},
    {"two blanks before tray", u"\"/opt/q/VXBrowser\"  /tray", u" /tray", false, false},
    {"trailing blank after tray", u"\"/opt/q/VXBrowser\" /tray ", u"/tray ", false, false},
    {"tray and more", u"\"/opt/q/VXBrowser\" /tray /price", u"/tray /price", false, false},
    {"address", u"\"/opt/q/VXBrowser\" http://shop.example/item?id=7", u"http://shop.example/item?id=7", false, false},
    {"address with quotes", u"\"/opt/q/VXBrowser\" \"http://shop.example/a b\"", u"\"http://shop.example/a b\"",
     false, false},
    {"Chinese address", u"\"/opt/q/VXBrowser\" http://shop.example/手机", u"http://shop.example/手机", false, false},
    {"unquoted path, no quote", u"VXBrowser /tray", u"XBrowser /tray", false, false},
    {"unquoted path, quote later", u"VXBrowser \"x\" /tray", u"\" /tray", false, false},
    {"empty line", u"", u"", false, false},
    {"one character", u"V", u"", false, false},
    {"quote at the start only", u"\"", u"", false, false},
    {"quote then one character", u"\"\"x", u"", false, false},
    {"quote then two characters", u"\"\" x", u"x", false, false},
    {"a lone blank after the path", u"\"p\"  ", u" ", false, false},
};

TEST(StartArgumentTest, TakesTheRestAfterTheQuotedPathExactly) {
  for (const ArgumentCase& c : kArgumentCases) {
    SCOPED_TRACE(c.name);
    const CString argument = ExtractStartArgument(c.commandLine);
    EXPECT_EQ(std::u16string(argument.GetString()), std::u16string(c.argument));
    EXPECT_EQ(IsTrayOption(argument), c.tray);
    EXPECT_EQ(IsPriceOption(argument), c.price);
  }
}

TEST(CaptionSuffixTest, AppendsTheProductNameAfterATitle) {
  struct Case {
    const char16_t* title;
    const char16_t* caption;
  };
  const Case cases[] = {
      {u"", u" - Quorla购物浏览器"},
      {u"手机 - 淘宝网", u"手机 - 淘宝网 - Quorla购物浏览器"},
      {u"Title - Quorla购物浏览器", u"Title - Quorla购物浏览器 - Quorla购物浏览器"},
  };
  for (const Case& c : cases) {
    CString text(c.title);
    AppendCaptionSuffix(text);
    EXPECT_EQ(std::u16string(text.GetString()), std::u16string(c.caption));
  }
}

}  // namespace
