// Parsing pages into records: the parser's own steps around the strategy,
// page files, and the source text of documents.
#include <atomic>
#include <cmath>
#include <thread>

#include "document_source.h"
#include "html_parser.h"
#include "page_parser.h"
#include "shopping/text_conversions.h"
#include "test_support.h"
#include "win/text_encoding.h"

namespace {

using namespace shopping_test;
using S_COM::ComPtr;

const char kTable[] = R"(<sites>
  <site name="测试店" url="shop.com" type="0">
    <PricePathList><p>$$tag=span,class_name=price$$</p></PricePathList>
  </site>
  <site name="淘宝网" url="taobao.com" type="1"/>
  <site name="no type" url="untyped.com"/>
</sites>)";

PageParser MakeParser() {
  SiteTable table;
  EXPECT_TRUE(table.LoadText(kTable));
  return PageParser(std::move(table));
}

const char16_t kPage[] = u"<title>  Good  Phone </title><body><span class=price>¥88.80</span></body>";

TEST(PageParser, SuccessFillsPriceAddressTitleAndShop) {
  PageParser parser = MakeParser();
  ReducePriceItem item = MakeItem(u"");
  item.BasePrice = 50.0;
  item.Id = 9;
  ASSERT_EQ(parser.ParseHtml(kPage, u"http://www.shop.com/p/1", &item), S_OK);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 88.8);
  EXPECT_EQ(std::u16string(item.Url), u"http://www.shop.com/p/1");
  EXPECT_EQ(std::u16string(item.Title), u"Good Phone");
  EXPECT_EQ(std::u16string(item.SiteName), u"测试店");
  EXPECT_EQ(item.BasePrice, 50.0);  // the rule-driven strategy leaves the rest
  EXPECT_EQ(item.Id, 9u);
}

TEST(PageParser, FailuresLeaveTheRecordUntouched) {
  PageParser parser = MakeParser();
  struct Case {
    const char* name;
    const char16_t* html;
    const char16_t* url;
  } cases[] = {
      {"null html", nullptr, u"http://shop.com/"},
      {"null url", kPage, nullptr},
      {"unknown site", kPage, u"http://www.other.com/p"},
      {"not an address", kPage, u"shop.com/p"},
      {"taobao page without a shop block", kPage, u"http://item.taobao.com/item.htm"},
      {"site without type", kPage, u"http://untyped.com/"},
      {"no price on the page", u"<span class=price>...</span>", u"http://shop.com/"},
  };
  for (const Case& c : cases) {
    ReducePriceItem item = MakeItem(u"http://kept/", 1.5, u"kept title");
    ReducePriceItem before = item;
    EXPECT_EQ(parser.ParseHtml(c.html, c.url, &item), E_FAIL) << c.name;
    EXPECT_EQ(std::memcmp(&item, &before, sizeof item), 0) << c.name;
  }
  EXPECT_EQ(parser.ParseHtml(kPage, u"http://shop.com/", nullptr), E_FAIL);
}

TEST(PageParser, LongAddressesAndTitlesAreCut) {
  PageParser parser = MakeParser();
  for (std::size_t length : {2083u, 2100u}) {
    std::u16string url = u"http://shop.com/";
    url += std::u16string(length - url.size(), u'a');
    std::u16string title(300, u'题');
    std::u16string page = u"<title>" + title + u"</title>" + u"<span class=price>1</span>";
    ReducePriceItem item = MakeItem(u"");
    ASSERT_EQ(parser.ParseHtml(page.c_str(), url.c_str(), &item), S_OK);
    EXPECT_EQ(std::u16string(item.Url), url.substr(0, 2083));
    EXPECT_EQ(std::u16string(item.Title), title.substr(0, 259));
  }
}

TEST(PageParser, ScriptTextNeverBecomesThePrice) {
  PageParser parser = MakeParser();
  const char16_t* page =
      u"<title>Postscript</title><script>document.write('<span class=price>1.00</span>')</script>"
      u"<span class=price><script>var p = 2;</script>¥30.00</span>";
  ReducePriceItem item = MakeItem(u"");
  ASSERT_EQ(parser.ParseHtml(page, u"http://shop.com/", &item), S_OK);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 30.0);
  EXPECT_EQ(std::u16string(item.Title), u"Postscript");
}

TEST(PageParser, StrategiesAreMadeOncePerType) {
  PageParser parser = MakeParser();
  IParseStrategy* first = parser.Strategies().GetStrategyForType(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(parser.Strategies().GetStrategyForType(0), first);
  EXPECT_EQ(parser.Strategies().GetStrategyForType(-1), nullptr);
  EXPECT_EQ(parser.Strategies().GetStrategyForType(7), nullptr);
}

// A stand-in for a live document: only what GetDocumentSource asks of it.
class FakeLiveDocument : public IHTMLDocument2, public IPersistStreamInit {
 public:
  FakeLiveDocument(std::string bytes, std::u16string charset, bool persist = true)
      : m_bytes(std::move(bytes)), m_charset(std::move(charset)), m_persist(persist) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHTMLDocument2) {
      *out = static_cast<IHTMLDocument2*>(this);
    } else if (iid == IID_IPersistStreamInit && m_persist) {
      *out = static_cast<IPersistStreamInit*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;  // lives on the test's stack; counts do not matter
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE get_title(BSTR* out) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_URL(BSTR* out) override {
    *out = SysAllocString(u"http://item.shop.com/9.html");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_charset(BSTR* out) override {
    *out = SysAllocString(m_charset.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE write(SAFEARRAY*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE close() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL) override {
    ULONG written = 0;
    return stream->Write(m_bytes.data(), static_cast<ULONG>(m_bytes.size()), &written);
  }

 private:
  std::string m_bytes;
  std::u16string m_charset;
  bool m_persist;
};

TEST(DocumentSource, CharsetChoosesTheDecoding) {
  const std::string utf8 = "<p>\xE4\xBB\xB7\xE6\xA0\xBC</p>";  // 价格
  const std::string gbk = "<p>\xBC\xDB\xB8\xF1</p>";
  struct Case {
    std::string bytes;
    const char16_t* charset;
    std::u16string source;
  } cases[] = {
      {utf8, u"utf-8", u"<p>价格</p>"},
      {utf8, u"UTF-8", u"<p>价格</p>"},
      {gbk, u"gbk", u"<p>价格</p>"},
      {gbk, u"gb2312", u"<p>价格</p>"},
      {gbk, u"", u"<p>价格</p>"},
      {gbk, u"utf8", u"<p>价格</p>"},  // only "utf-8" itself means UTF-8
      {std::string("ab\0cd", 5), u"utf-8", u"ab"},
      {"", u"utf-8", u""},
  };
  for (const Case& c : cases) {
    FakeLiveDocument document(c.bytes, c.charset);
    std::u16string source = u"stale";
    EXPECT_TRUE(GetDocumentSource(static_cast<IHTMLDocument2*>(&document), source)) << Narrow(c.charset);
    EXPECT_EQ(source, c.source) << Narrow(c.charset);
  }
  FakeLiveDocument noPersist("x", u"utf-8", false);
  std::u16string source;
  EXPECT_FALSE(GetDocumentSource(static_cast<IHTMLDocument2*>(&noPersist), source));
  EXPECT_FALSE(GetDocumentSource(nullptr, source));
}

class HtmlParserComponent : public ::testing::Test {
 protected:
  HtmlParserComponent() {
    S_COM::CSAggregateObject<CHtmlParser>::CreateInstance(nullptr, IID_IHtmlParser, parser.PutVoid());
  }
  ComPtr<IHtmlParser> parser;
  TempConfigHome home;
};

TEST_F(HtmlParserComponent, LiveDocumentOperations) {
  ASSERT_TRUE(parser);
  FakeLiveDocument document("<span class=price>1</span>", u"gbk");
  BSTR html = nullptr;
  ASSERT_EQ(parser->GetDocumentHtml(static_cast<IHTMLDocument2*>(&document), &html), S_OK);
  EXPECT_EQ(std::u16string(html, SysStringLen(html)), u"<span class=price>1</span>");
  SysFreeString(html);
  EXPECT_EQ(parser->GetDocumentHtml(static_cast<IHTMLDocument2*>(&document), nullptr), E_FAIL);
  EXPECT_EQ(parser->GetDocumentHtml(nullptr, &html), E_FAIL);
  ReducePriceItem item = MakeItem(u"");
  EXPECT_EQ(parser->ParseDocument(nullptr, &item), E_FAIL);
  // Our own documents answer too: their address is about:blank, no shop.
  auto written = LoadDocument(u"<p>x</p>");
  EXPECT_EQ(parser->ParseDocument(written.Get(), &item), E_FAIL);
}

TEST_F(HtmlParserComponent, ParsesFilesOfPageBytes) {
  ASSERT_TRUE(parser);
  // The page bytes in code page 936, as a shop serves them.
  std::string page = "<title>\xCA\xD6\xBB\xFA</title><div class=\"dd\"><span class=\"p-price\">\xA3\xA4 2999.00</span></div>";
  fs::path file = home.dir() / "page.html";
  WriteBytes(file, page);
  ReducePriceItem item = MakeItem(u"");
  ASSERT_EQ(parser->ParseFile(file.u16string().c_str(), u"https://item.jd.com/100.html", &item), S_OK);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 2999.0);
  EXPECT_EQ(std::u16string(item.Title), u"手机");
  EXPECT_EQ(std::u16string(item.SiteName), u"京东");

  fs::path empty = home.dir() / "empty.html";
  WriteBytes(empty, "");
  EXPECT_EQ(parser->ParseFile(empty.u16string().c_str(), u"https://item.jd.com/1.html", &item), E_FAIL);
  EXPECT_EQ(parser->ParseFile((home.dir() / "none.html").u16string().c_str(), u"https://item.jd.com/", &item),
            E_FAIL);
  EXPECT_EQ(parser->ParseFile(nullptr, u"https://item.jd.com/", &item), E_FAIL);
}

TEST(TextConversions, Rules) {
  EXPECT_EQ(Utf8ToWide("\xE4\xBB\xB7 ok"), u"价 ok");
  EXPECT_EQ(Utf8ToWide(nullptr), u"");
  EXPECT_EQ(Utf8ToWide("ab\0cd"), u"ab");
  EXPECT_EQ(AcpToWide("\xCA\xD6"), u"手");
  EXPECT_EQ(AcpToWide(nullptr), u"");
  EXPECT_EQ(ChinaAcpToWide("\xBB\xFA"), u"机");
  EXPECT_EQ(ChinaAcpToWide(nullptr), u"");
  EXPECT_EQ(WideToChinaAcp(u"手机"), "\xCA\xD6\xBB\xFA");
  EXPECT_EQ(WideToChinaAcp(nullptr), "");
  // The code-page conversions put the thread's locale back.
  SetThreadLocale(0x0409);
  ChinaAcpToWide("x");
  WideToChinaAcp(u"x");
  EXPECT_EQ(GetThreadLocale(), 0x0409u);

  char* bytes = nullptr;
  int length = 0;
  ASSERT_TRUE(WideToUtf8(u"价1", &bytes, &length));
  EXPECT_EQ(length, 5);
  EXPECT_EQ(std::string(bytes, 5), std::string("\xE4\xBB\xB7" "1\0", 5));
  delete[] bytes;
  EXPECT_FALSE(WideToUtf8(u"", &bytes, &length));
  EXPECT_FALSE(WideToUtf8(nullptr, &bytes, &length));
  EXPECT_FALSE(WideToUtf8(u"x", nullptr, &length));
  EXPECT_FALSE(WideToUtf8(u"x", &bytes, nullptr));
}

// Several threads parse at once, as the browser's workers do: each builds
// its own document; they share the site table and the strategy cache.
TEST(PageParser, ConcurrentParses) {
  PageParser parser = MakeParser();
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&parser, &wrong, t] {
      for (int i = 0; i < 40; ++i) {
        std::u16string price = std::u16string(1, static_cast<char16_t>(u'1' + t)) + u"." +
                               std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
        std::u16string page = u"<title>p</title><span class=price>¥" + price + u"</span>";
        ReducePriceItem item = MakeItem(u"");
        if (parser.ParseHtml(page.c_str(), u"http://shop.com/x", &item) != S_OK ||
            std::abs(item.CurrentPrice - ((t + 1) + (i % 10) / 10.0)) > 1e-9)
          ++wrong;
        if (parser.ParseHtml(page.c_str(), u"http://item.taobao.com/x", &item) != E_FAIL) ++wrong;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
