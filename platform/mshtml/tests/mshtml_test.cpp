// HTML documents written from text: structure, texts, charset, and pages of
// hostile shapes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "win/com_classes.h"
#include "win/mshtml.h"

namespace {

template <class I>
class Ref {
 public:
  Ref() = default;
  explicit Ref(I* p) : m_p(p) {}
  Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
  Ref& operator=(Ref&& o) noexcept {
    std::swap(m_p, o.m_p);
    return *this;
  }
  ~Ref() {
    if (m_p) m_p->Release();
  }
  I* get() const { return m_p; }
  I* operator->() const { return m_p; }
  I** put() { return &m_p; }
  void** putVoid() { return reinterpret_cast<void**>(&m_p); }

 private:
  I* m_p = nullptr;
};

std::u16string Take(BSTR b) {
  std::u16string s = b ? std::u16string(b, SysStringLen(b)) : std::u16string();
  SysFreeString(b);
  return s;
}

HRESULT Write(IHTMLDocument2* doc, const std::u16string& html) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  VARIANT* items = nullptr;
  SafeArrayAccessData(array, reinterpret_cast<void**>(&items));
  items[0].vt = VT_BSTR;
  items[0].bstrVal = SysAllocStringLen(html.data(), static_cast<UINT>(html.size()));
  SafeArrayUnaccessData(array);
  HRESULT hr = doc->write(array);
  SafeArrayDestroy(array);
  return hr;
}

Ref<IHTMLDocument2> Load(const std::u16string& html) {
  Ref<IHTMLDocument2> doc;
  EXPECT_EQ(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_ALL, IID_IHTMLDocument2, doc.putVoid()), S_OK);
  EXPECT_EQ(Write(doc.get(), html), S_OK);
  EXPECT_EQ(doc->close(), S_OK);
  return doc;
}

Ref<IHTMLElement> Root(IHTMLDocument2* doc) {
  Ref<IHTMLDocument3> doc3;
  EXPECT_EQ(doc->QueryInterface(IID_IHTMLDocument3, doc3.putVoid()), S_OK);
  Ref<IHTMLElement> root;
  EXPECT_EQ(doc3->get_documentElement(root.put()), S_OK);
  return root;
}

// The item at a position of a collection, asked with a numeric index.
Ref<IDispatch> ItemAt(IHTMLElementCollection* collection, LONG position) {
  VARIANT index, none;
  VariantInit(&index);
  VariantInit(&none);
  index.vt = VT_I4;
  index.lVal = position;
  Ref<IDispatch> item;
  EXPECT_EQ(collection->item(index, none, item.put()), S_OK);
  return item;
}

struct ElementInfo {
  std::u16string tag, id, className, text;
};

std::vector<ElementInfo> Describe(IHTMLElementCollection* collection) {
  std::vector<ElementInfo> out;
  LONG n = 0;
  collection->get_length(&n);
  for (LONG i = 0; i < n; ++i) {
    Ref<IDispatch> item = ItemAt(collection, i);
    Ref<IHTMLElement> element;
    EXPECT_EQ(item->QueryInterface(IID_IHTMLElement, element.putVoid()), S_OK);
    ElementInfo info;
    BSTR b = nullptr;
    element->get_tagName(&b), info.tag = Take(b);
    element->get_id(&b), info.id = Take(b);
    element->get_className(&b), info.className = Take(b);
    element->get_innerText(&b), info.text = Take(b);
    out.push_back(info);
  }
  return out;
}

// The element's descendants, in document order.
Ref<IHTMLElementCollection> All(IHTMLElement* element) {
  Ref<IDispatch> all;
  EXPECT_EQ(element->get_all(all.put()), S_OK);
  Ref<IHTMLElementCollection> collection;
  EXPECT_EQ(all->QueryInterface(IID_IHTMLElementCollection, collection.putVoid()), S_OK);
  return collection;
}

std::vector<ElementInfo> AllOf(IHTMLElement* element) { return Describe(All(element).get()); }

std::vector<ElementInfo> ByTag(IHTMLDocument2* doc, const char16_t* tag) {
  Ref<IHTMLDocument3> doc3;
  doc->QueryInterface(IID_IHTMLDocument3, doc3.putVoid());
  Ref<IHTMLElementCollection> found;
  BSTR name = SysAllocString(tag);
  EXPECT_EQ(doc3->getElementsByTagName(name, found.put()), S_OK);
  SysFreeString(name);
  return Describe(found.get());
}

std::u16string TitleOf(IHTMLDocument2* doc) {
  BSTR b = nullptr;
  EXPECT_EQ(doc->get_title(&b), S_OK);
  return Take(b);
}

std::u16string CharsetOf(IHTMLDocument2* doc) {
  BSTR b = nullptr;
  EXPECT_EQ(doc->get_charset(&b), S_OK);
  return Take(b);
}

LONG DescendantCount(IDispatch* element) {
  Ref<IHTMLElement> e;
  element->QueryInterface(IID_IHTMLElement, e.putVoid());
  LONG n = 0;
  All(e.get())->get_length(&n);
  return n;
}

// Depth of the deepest element below root, rebuilt from the descendants in
// document order and the size of each one's own descendants.
int MaxDepth(IHTMLElement* root) {
  Ref<IHTMLElementCollection> collection = All(root);
  LONG n = 0;
  collection->get_length(&n);
  std::vector<LONG> ends;  // one past the last descendant of each open ancestor
  int deepest = 0;
  for (LONG i = 0; i < n; ++i) {
    Ref<IDispatch> item = ItemAt(collection.get(), i);
    while (!ends.empty() && ends.back() <= i) ends.pop_back();
    ends.push_back(i + 1 + DescendantCount(item.get()));
    deepest = std::max(deepest, static_cast<int>(ends.size()));
  }
  return deepest;
}

TEST(HtmlDocument, ElementsInDocumentOrderWithTheirAttributes) {
  auto doc = Load(
      u"<html><head><title>Phone</title></head><body>"
      u"<div id='Main' class='price big'><span>¥</span><strong class=\"p\">1,299.00</strong></div>"
      u"<custom-tag id=c>x</custom-tag><p>tail</body></html>");
  auto root = Root(doc.get());
  ASSERT_NE(root.get(), nullptr);
  BSTR b = nullptr;
  root->get_tagName(&b);
  EXPECT_EQ(Take(b), u"HTML");
  auto all = AllOf(root.get());
  std::vector<std::u16string> tags;
  for (const auto& e : all) tags.push_back(e.tag);
  EXPECT_EQ(tags, (std::vector<std::u16string>{u"HEAD", u"TITLE", u"BODY", u"DIV", u"SPAN", u"STRONG",
                                               u"CUSTOM-TAG", u"P"}));
  EXPECT_EQ(all[3].id, u"Main");
  EXPECT_EQ(all[3].className, u"price big");
  EXPECT_EQ(all[3].text, u"¥1,299.00");
  EXPECT_EQ(all[5].className, u"p");
  EXPECT_EQ(all[6].id, u"c");
  // A missing attribute reads as a null text.
  EXPECT_EQ(all[4].id, u"");
  EXPECT_EQ(TitleOf(doc.get()), u"Phone");
  BSTR url = nullptr;
  doc->get_URL(&url);
  EXPECT_EQ(Take(url), u"about:blank");
}

TEST(HtmlDocument, CollectionItemsOutsideTheRangeAreNull) {
  auto doc = Load(u"<p>a</p>");
  Ref<IHTMLElementCollection> collection = All(Root(doc.get()).get());
  VARIANT index, none;
  VariantInit(&index);
  VariantInit(&none);
  index.vt = VT_I4;
  for (LONG position : {-1, 3, 1000}) {
    index.lVal = position;
    IDispatch* item = reinterpret_cast<IDispatch*>(0x1);
    EXPECT_EQ(collection->item(index, none, &item), S_OK);
    EXPECT_EQ(item, nullptr);
  }
  index.vt = VT_BSTR;
  index.bstrVal = nullptr;
  IDispatch* item = nullptr;
  EXPECT_EQ(collection->item(index, none, &item), E_INVALIDARG);
}

TEST(HtmlDocument, ScriptNeverBecomesElementsOrText) {
  auto doc = Load(
      u"<title>Postscript javascript</title><div class=price>"
      u"<script>var s = '<span class=price>1.00</span>'; document.write('<b>9</b>');</script>"
      u"<noscript>enable script</noscript><style>.p{}</style>"
      u"<span>25.00</span></div>");
  EXPECT_EQ(TitleOf(doc.get()), u"Postscript javascript");
  auto spans = ByTag(doc.get(), u"span");
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0].text, u"25.00");
  EXPECT_TRUE(ByTag(doc.get(), u"b").empty());
  auto divs = ByTag(doc.get(), u"DIV");
  ASSERT_EQ(divs.size(), 1u);
  EXPECT_EQ(divs[0].text, u"25.00");
  EXPECT_EQ(ByTag(doc.get(), u"Script").size(), 1u);
}

TEST(HtmlDocument, RenderedText) {
  struct Case {
    const char16_t* html;
    const char16_t* text;  // of the body
  } cases[] = {
      {u"  a \n\t b  ", u"a b"},
      {u"<div>a</div><div>b</div>", u"a\r\nb"},
      {u"a<br>b<br><br>c", u"a\r\nb\r\n\r\nc"},
      {u"<p> x </p> <p> y </p>", u"x\r\ny"},
      {u"<span>¥</span><span>99</span>", u"¥99"},
      {u"<pre>a  b\nc</pre>", u"a  b\r\nc"},
      {u"<table><tr><td>1</td><td>2</td></tr><tr><td>3</td></tr></table>", u"1\t2\r\n3"},
      {u"a<script>x</script><style>y</style>b", u"ab"},
      {u"<template><p>t</p></template>v", u"v"},
      {u"&lt;&amp;&nbsp;&#20215;", u"<&\u00A0价"},
      {u"", u""},
  };
  for (const Case& c : cases) {
    auto doc = Load(std::u16string(u"<body>") + c.html);
    auto body = ByTag(doc.get(), u"body");
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(body[0].text, c.text) << std::string(c.html, c.html + std::char_traits<char16_t>::length(c.html));
  }
}

TEST(HtmlDocument, TitleIsTheFirstTitleAnywhere) {
  EXPECT_EQ(TitleOf(Load(u"<body><title> A \n  b </title><title>second</title>").get()), u"A b");
  EXPECT_EQ(TitleOf(Load(u"<p>no title</p>").get()), u"");
  EXPECT_EQ(TitleOf(Load(u"<svg><title>icon</title></svg><title>page</title>").get()), u"page");
}

TEST(HtmlDocument, Charset) {
  struct Case {
    const char16_t* head;
    const char16_t* charset;
  } cases[] = {
      {u"<meta charset=\"UTF-8\">", u"utf-8"},
      {u"<meta charset=utf8>", u"utf-8"},
      {u"<meta charset=gbk>", u"gbk"},
      {u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GB2312\">", u"gb2312"},
      {u"<meta http-equiv=content-type content='text/html;charset=\"utf-8\"'>", u"utf-8"},
      {u"<meta http-equiv=refresh content='0; charset=utf-8'>", u"gb2312"},
      {u"<meta name=x>", u"gb2312"},
      {u"", u"gb2312"},
      {u"<meta charset=big5><meta charset=utf-8>", u"big5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharsetOf(Load(std::u16string(u"<head>") + c.head + u"</head><body>x").get()), c.charset);
  }
}

TEST(HtmlDocument, WriteAfterCloseStartsANewDocument) {
  Ref<IHTMLDocument2> doc;
  ASSERT_EQ(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2, doc.putVoid()),
            S_OK);
  EXPECT_EQ(Root(doc.get()).get(), nullptr);  // nothing parsed before close
  Write(doc.get(), u"<title>one");
  Write(doc.get(), u"</title><p>");
  doc->close();
  EXPECT_EQ(TitleOf(doc.get()), u"one");
  Write(doc.get(), u"<title>two</title>");
  doc->close();
  EXPECT_EQ(TitleOf(doc.get()), u"two");
  EXPECT_EQ(doc->write(nullptr), E_INVALIDARG);
  SAFEARRAY* numbers = SafeArrayCreateVector(VT_I4, 0, 1);
  EXPECT_EQ(doc->write(numbers), E_INVALIDARG);
  SafeArrayDestroy(numbers);
}

TEST(HtmlDocument, ClassFactory) {
  void* out = reinterpret_cast<void*>(0x1);
  GUID other = CLSID_HTMLDocument;
  other.Data1 ^= 1;
  EXPECT_EQ(CoCreateInstance(other, nullptr, CLSCTX_ALL, IID_IUnknown, &out), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(out, nullptr);
  Ref<IHTMLDocument2> outer;
  CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_ALL, IID_IHTMLDocument2, outer.putVoid());
  EXPECT_EQ(CoCreateInstance(CLSID_HTMLDocument, outer.get(), CLSCTX_ALL, IID_IUnknown, &out),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_ALL, IID_IHTMLElement, &out), E_NOINTERFACE);
  EXPECT_EQ(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
  // Every interface of the document leads back to the same object.
  Ref<IUnknown> a, b;
  outer->QueryInterface(IID_IUnknown, a.putVoid());
  Ref<IPersistStreamInit> persist;
  ASSERT_EQ(outer->QueryInterface(IID_IPersistStreamInit, persist.putVoid()), S_OK);
  persist->QueryInterface(IID_IUnknown, b.putVoid());
  EXPECT_EQ(a.get(), b.get());
}

TEST(HtmlDocument, ElementsOutliveTheirDocument) {
  Ref<IHTMLElement> root;
  {
    auto doc = Load(u"<div id=kept>text</div>");
    root = Root(doc.get());
  }
  auto all = AllOf(root.get());
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[2].id, u"kept");
  EXPECT_EQ(all[2].text, u"text");
}

TEST(HtmlDocument, MalformedNestingFollowsHtmlRules) {
  // Unclosed items, cells and paragraphs close as HTML says, so they do not
  // nest (and never count against the depth bound).
  std::u16string page = u"<ul>";
  for (int i = 0; i < 3000; ++i) page += u"<li><p>item";
  page += u"</ul><table>";
  for (int i = 0; i < 2000; ++i) page += u"<tr><td>a<td>b";
  page += u"</table><span id=last>end</span>";
  auto doc = Load(page);
  EXPECT_EQ(ByTag(doc.get(), u"li").size(), 3000u);
  EXPECT_EQ(ByTag(doc.get(), u"td").size(), 4000u);
  auto last = ByTag(doc.get(), u"span");
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].id, u"last");
  EXPECT_LT(MaxDepth(Root(doc.get()).get()), 8);
}

TEST(HtmlDocument, DeepNestingIsCutButTextStays) {
  std::u16string page;
  for (int i = 0; i < 100000; ++i) page += u"<div>";
  page += u"<span id=deep>42.00</span>";
  auto start = std::chrono::steady_clock::now();
  auto doc = Load(page);
  auto root = Root(doc.get());
  int depth = MaxDepth(root.get());
  EXPECT_GT(depth, 900);
  EXPECT_LT(depth, 1100);
  auto divs = ByTag(doc.get(), u"div");
  EXPECT_LT(divs.size(), 1001u);
  EXPECT_TRUE(ByTag(doc.get(), u"span").empty());  // the span lay too deep
  EXPECT_NE(divs.back().text.find(u"42.00"), std::u16string::npos);
  // Not a timing assertion, a hang guard: unbounded nesting takes minutes.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

TEST(HtmlDocument, HostileShapesParseInBoundedMemory) {
  struct Shape {
    const char* name;
    std::u16string page;
  };
  std::vector<Shape> shapes;
  {
    // Formatting elements that the parser would rebuild for every paragraph.
    std::u16string page = u"<div>";
    for (int i = 0; i < 1000; ++i) page += u"<b id=" + std::u16string(1, u'a' + i % 26) + std::u16string(i / 26 + 1, u'x') + u">";
    page += u"</div>";
    for (int i = 0; i < 5000; ++i) page += u"<div>x</div>";
    shapes.push_back({"reconstructed formatting", page});
  }
  {
    std::u16string page = u"<a ";
    for (int i = 0; i < 100000; ++i) page += u"a" + std::u16string(1, u'a' + i % 26) + u"=1 ";
    shapes.push_back({"attribute flood", page + u">"});
  }
  {
    std::u16string page;
    for (int i = 0; i < 1000000; ++i) page += u"<p>x";
    shapes.push_back({"element flood", page});
  }
  {
    std::u16string page;
    for (int i = 0; i < 200000; ++i) page += static_cast<char16_t>((i * 7919) % 0xFFFF + 1);
    shapes.push_back({"binary", page});
  }
  for (const Shape& s : shapes) {
    auto start = std::chrono::steady_clock::now();
    auto doc = Load(s.page);
    EXPECT_NE(Root(doc.get()).get(), nullptr) << s.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60)) << s.name;
  }
  // Markup that the bounding pass might read as text while the parser reads
  // tags (or the other way round) must still come out bounded.
  const std::u16string divs = [] {
    std::u16string d;
    for (int i = 0; i < 30000; ++i) d += u"<div>";
    return d;
  }();
  for (const char16_t* opening : {u"<select><style><input>", u"<svg><style>", u"<svg><p><script>",
                                  u"<frameset><script>", u"<math><mi><xmp>", u"<table><textarea>",
                                  u"<script><!--<script>", u"<title><a title='</title>'>"}) {
    std::u16string page = std::u16string(opening) + divs;
    for (int i = 0; i < 2000; ++i) page += u"<script><a title=\"</script><div>\">";
    auto doc = Load(page);
    int depth = MaxDepth(Root(doc.get()).get());
    EXPECT_LT(depth, 1100) << std::string(opening, opening + std::char_traits<char16_t>::length(opening));
  }
  // Unbounded, the first shape alone takes gigabytes.
  EXPECT_LT(PeakMegabytes(), 1500);
}

TEST(HtmlDocument, FiftyMegabytePage) {
  std::u16string unit = u"<div class=\"item\"><span class=\"price\">12.00</span> 商品 text text</div>\n";
  std::u16string page = u"<title>big</title>";
  while (page.size() < 25 * 1024 * 1024) page += unit;  // 50 MB of UTF-16
  auto doc = Load(page);
  EXPECT_EQ(TitleOf(doc.get()), u"big");
  EXPECT_LE(ByTag(doc.get(), u"span").size(), 200000u);
  EXPECT_LT(PeakMegabytes(), 2500);
}

std::string Saved(IHTMLDocument2* doc) {
  Ref<IPersistStreamInit> persist;
  EXPECT_EQ(doc->QueryInterface(IID_IPersistStreamInit, persist.putVoid()), S_OK);
  Ref<IStream> stream;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  EXPECT_EQ(persist->Save(stream.get(), FALSE), S_OK);
  HGLOBAL block = nullptr;
  GetHGlobalFromStream(stream.get(), &block);
  std::string bytes(GlobalSize(block), '\0');
  if (!bytes.empty()) {
    void* data = GlobalLock(block);
    std::copy_n(static_cast<const char*>(data), bytes.size(), bytes.data());
    GlobalUnlock(block);
  }
  return bytes;
}

TEST(HtmlDocument, SavesItsSourceInItsCharset) {
  // As written, script included, encoded as the page declares.
  EXPECT_EQ(Saved(Load(u"<meta charset=utf-8><p>价<script>a<b</script>").get()),
            "<meta charset=utf-8><p>\xE4\xBB\xB7<script>a<b</script>");
  EXPECT_EQ(Saved(Load(u"<p>价格</p>").get()), "<p>\xBC\xDB\xB8\xF1</p>");
  // What code page 936 cannot hold is kept as a character reference.
  EXPECT_EQ(Saved(Load(u"<p>\u0E01\U0001F600</p>").get()), "<p>&#3585;&#128512;</p>");
  EXPECT_EQ(Saved(Load(u"").get()), "");
  Ref<IPersistStreamInit> persist;
  Load(u"x")->QueryInterface(IID_IPersistStreamInit, persist.putVoid());
  EXPECT_EQ(persist->Save(nullptr, FALSE), E_POINTER);
}

// Parses reuse the memory of earlier ones on their thread: pages of many
// sizes in turn, and documents let go on another thread than the one that
// built them, each read back whole.
TEST(HtmlDocument, PagesOneAfterAnotherReadBackWhole) {
  auto page = [](int items, int seed) {
    std::u16string html = u"<title>p" + std::u16string(1, static_cast<char16_t>(u'a' + seed % 26)) + u"</title>";
    for (int i = 0; i < items; ++i) html += u"<div class=\"c\"><span>" + std::u16string(i % 7 + 1, u'价') + u"</span></div>";
    return html;
  };
  auto check = [&](IHTMLDocument2* doc, int items, int seed) {
    EXPECT_EQ(TitleOf(doc), u"p" + std::u16string(1, static_cast<char16_t>(u'a' + seed % 26)));
    std::vector<ElementInfo> spans = ByTag(doc, u"span");
    ASSERT_EQ(spans.size(), static_cast<std::size_t>(items));
    for (int i = 0; i < items; i += 97) EXPECT_EQ(spans[i].text, std::u16string(i % 7 + 1, u'价'));
  };
  const int sizes[] = {1, 3000, 10, 40000, 200, 3000, 1, 40000};
  int seed = 0;
  for (int items : sizes) {
    auto doc = Load(page(items, seed));
    check(doc.get(), items, seed++);
  }
  // Built here, let go of on another thread, whose spare memory the next
  // parse there takes.
  std::vector<Ref<IHTMLDocument2>> docs;
  for (int items : sizes) docs.push_back(Load(page(items, seed++)));
  std::thread other([&] {
    docs.clear();
    for (int items : sizes) {
      auto doc = Load(page(items, seed));
      check(doc.get(), items, seed++);
    }
  });
  other.join();
}

}  // namespace
