// The live document: snapshots of the committed page, what a commit drops,
// what DocumentComplete waits for, and a control that goes with one under way.
#include <chrono>

#include "web_browser_fixture.h"
#include "win/mshtml.h"

namespace quorla_test {
namespace {

IDispatch* DocumentOf(IWebBrowser2* browser) {
  IDispatch* document = nullptr;
  EXPECT_EQ(browser->get_Document(&document), S_OK);
  return document;
}

std::string TextOf(IDispatch* document, HRESULT (IHTMLDocument2::*read)(BSTR*)) {
  IHTMLDocument2* html = nullptr;
  if (!document || FAILED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html))))
    return "(none)";
  BSTR text = nullptr;
  (html->*read)(&text);
  html->Release();
  std::string out = text ? Narrow(std::u16string(text, SysStringLen(text))) : "";
  SysFreeString(text);
  return out;
}

TEST_F(WebBrowserTest, NoDocumentBeforeAPageCommits) {
  IDispatch* document = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(browser->get_Document(&document), S_OK);
  EXPECT_EQ(document, nullptr);
  EXPECT_EQ(browser->get_Document(nullptr), E_POINTER);
}

TEST_F(WebBrowserTest, ChineseTextReachesThePageParserInTheDocumentsCharset) {
  struct Case {
    std::string path;
    std::string body;  // bytes as served
    std::string contentType;
    std::string charset;
    std::string title;
  };
  // 手机 and 价格 in code page 936.
  const std::string gbkPhone = "\xCA\xD6\xBB\xFA";
  const std::string gbkPrice = "\xBC\xDB\xB8\xF1";
  const std::vector<Case> cases = {
      {"/utf8", "<html><head><meta charset=\"utf-8\"><title>价格</title></head><body>价格 手机</body></html>",
       "text/html; charset=utf-8", "utf-8", "价格"},
      {"/gbk", "<html><head><meta charset=\"gbk\"><title>" + gbkPrice + "</title></head><body>" + gbkPhone +
       "</body></html>", "text/html; charset=gbk", "gbk", "价格"},
      // A shop's page that declares nothing is read as GBK, not Latin-1;
      // its document names the code page's usual name.
      {"/undeclared", "<html><head><title>" + gbkPrice + "</title></head><body>" + gbkPhone + "</body></html>",
       "text/html", "gb2312", "价格"},
  };
  for (const Case& c : cases) server.ServeBody(c.path, c.body, 200, c.contentType);
  ASSERT_TRUE(server.Start());
  size_t done = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ASSERT_EQ(Navigate(Wide(server.Url(c.path))), S_OK);
    ASSERT_TRUE(WaitForEvent("DocumentComplete", ++done));
    // The completion waited for a snapshot of the finished page.
    IDispatch* document = DocumentOf(browser);
    ASSERT_NE(document, nullptr);
    EXPECT_NE(DocumentSource(document).find("手机"), std::string::npos);
    EXPECT_EQ(TextOf(document, &IHTMLDocument2::get_charset), c.charset);
    EXPECT_EQ(TextOf(document, &IHTMLDocument2::get_URL), server.Url(c.path));
    EXPECT_EQ(TextOf(document, &IHTMLDocument2::get_title), c.title);
    EXPECT_EQ(Narrow(LocationName()), c.title);
    document->Release();
  }
}

TEST_F(WebBrowserTest, ACommitDropsThePreviousPagesDocument) {
  server.ServeBody("/first", "<html><head><title>first</title></head><body>FIRSTPAGE</body></html>");
  server.ServeSlow("/second", "<html><head><title>second</title></head><body>" + std::string(2000, ' ') +
                                  "SECONDPAGE</body></html>", 400, 300);
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/first"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  // Every document asked for from the second page's commit on.
  std::vector<std::string> seen;
  onEvent = [&](const BrowserEvent& e) {
    if (e.name != "NavigateComplete2" && e.name != "TitleChange" && e.name != "DocumentComplete") return;
    if (Count("NavigateComplete2") < 2) return;
    IDispatch* document = DocumentOf(browser);
    seen.push_back(document ? DocumentSource(document) : "");
    if (document) document->Release();
  };
  ASSERT_EQ(Navigate(Wide(server.Url("/second"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete", 2));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), "") << "no document at the commit";
  for (const std::string& source : seen) EXPECT_EQ(source.find("FIRSTPAGE"), std::string::npos);
  EXPECT_NE(seen.back().find("SECONDPAGE"), std::string::npos);
}

TEST_F(WebBrowserTest, TheDocumentsTitleIsTheEnginesCurrentOne) {
  server.ServeBody("/titled", "<html><head><title>before</title><script>"
                              "setTimeout(function () { document.title = 'after'; }, 300);"
                              "</script></head><body>x</body></html>");
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/titled"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  IDispatch* document = DocumentOf(browser);
  ASSERT_NE(document, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Narrow(LocationName()) == "after"; }, 5000));
  EXPECT_EQ(TextOf(document, &IHTMLDocument2::get_title), "after");
  document->Release();
}

TEST_F(WebBrowserTest, AControlReleasedWithASnapshotUnderWayHearsNothingMore) {
  server.ServeBody("/big", "<html><head><title>big</title></head><body>" + std::string(300000, 'x') + "</body></html>");
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/big"))), S_OK);
  ASSERT_TRUE(WaitForEvent("NavigateComplete2"));
  // A snapshot under way, and (likely) the completion waiting for another.
  IDispatch* document = DocumentOf(browser);
  if (document) document->Release();
  const size_t told = events.size();
  ReleaseBrowser();
  PumpFor(3000);
  EXPECT_EQ(events.size(), told);
}

TEST_F(WebBrowserTest, SnapshotOfAMegabytePage) {
  std::string body = "<html><head><meta charset=\"utf-8\"><title>big</title></head><body>";
  while (body.size() < 1024 * 1024) body += "<p class=\"item\">商品 价格 ¥ 128.00 <a href=\"/x\">link</a></p>\n";
  body += "</body></html>";
  server.ServeBody("/mb", body, 200, "text/html; charset=utf-8");
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/mb"))), S_OK);
  // Slow builds (sanitizers) take their time over a page this size.
  ASSERT_TRUE(WaitForEvent("DocumentComplete", 1, 90000));
  IDispatch* first = DocumentOf(browser);  // asks for a fresh one
  ASSERT_NE(first, nullptr);
  const auto start = std::chrono::steady_clock::now();
  IDispatch* fresh = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    IDispatch* now = DocumentOf(browser);
    if (now && now != first) fresh = now;
    else if (now) now->Release();
    return fresh != nullptr;
  }, 90000));
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("snapshot_ms", static_cast<int>(ms));
  std::printf("snapshot of a %zu-byte page: %lld ms\n", body.size(), static_cast<long long>(ms));
  EXPECT_NE(DocumentSource(fresh).find("128.00"), std::string::npos);
  fresh->Release();
  first->Release();
}

}  // namespace
}  // namespace quorla_test
