// The price capture's tick on the user-interface thread: the watch list
// asked whether a page of 1 MB is watched among 1,000 items (it is not),
// its text taken from the live document and queued for the parse worker,
// against copying that page's text once in the same run. The ticks queue
// one view again and again, so each replaces the page the last one queued.
// The page parser's share of a tick (the document's text) is measured alone
// too.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "framework/com_ptr.h"
#include "price_watch_engine_core.h"
#include "shopping/html_parser.h"
#include "shopping/reduce_price_mgr.h"
#include "win/com.h"
#include "win/com_classes.h"
#include "win/mshtml.h"
#include "win/oleauto.h"

namespace {

namespace fs = std::filesystem;
constexpr int kItems = 1000;
constexpr size_t kPageBytes = 1 << 20;

struct Setup {
  std::shared_ptr<PriceWatchEngine> engine;
  S_COM::ComPtr<IHTMLDocument2> document;
  std::u16string page;
  std::atomic<uint8_t> captured{0};

  Setup() {
    std::string pattern = (fs::temp_directory_path() / "quorla-bench-XXXXXX").string();
    setenv("XDG_CONFIG_HOME", mkdtemp(pattern.data()), 1);
    CoInitialize(nullptr);
    engine = PriceWatchEngine::Create({});
    IReducePriceMgr* manager = engine->Manager();
    if (!manager) return;
    for (int i = 0; i < kItems; ++i) {
      ReducePriceItem item;
      InitReducePriceItem(&item);
      const std::u16string url = u"https://item.jd.com/" + std::u16string(12, static_cast<char16_t>(u'0' + i % 10)) +
                                 u"-" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u".html";
      std::copy(url.begin(), url.end(), item.Url);
      manager->AddItem(&item);
    }
    page = u"<html><head><meta charset=utf-8><title>商品</title></head><body>";
    const std::u16string row = u"<div class=\"item\"><span class=\"价格\">￥128.00</span> 手机 商品 说明</div>\n";
    while (page.size() * 2 < kPageBytes) page += row;
    page += u"</body></html>";
    CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2, document.PutVoid());
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT* items = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&items));
    items[0].vt = VT_BSTR;
    items[0].bstrVal = SysAllocStringLen(page.data(), static_cast<UINT>(page.size()));
    SafeArrayUnaccessData(array);
    document->write(array);
    SafeArrayDestroy(array);
    document->close();
  }
};

Setup& State() {
  static Setup setup;
  return setup;
}

void CopyPageOnce(benchmark::State& state) {
  Setup& s = State();
  for (auto _ : state) {
    std::u16string copy = s.page;
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.page.size() * 2));
}
BENCHMARK(CopyPageOnce)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The page parser's part of a tick: the document's text as a new string.
void DocumentText(benchmark::State& state) {
  Setup& s = State();
  if (!s.engine->Parser()) {
    state.SkipWithError("Vendrix.dll was not found beside the benchmark");
    return;
  }
  for (auto _ : state) {
    BSTR text = nullptr;
    s.engine->Parser()->GetDocumentHtml(s.document.Get(), &text);
    benchmark::DoNotOptimize(text);
    SysFreeString(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.page.size() * 2));
}
BENCHMARK(DocumentText)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void CaptureTick(benchmark::State& state) {
  Setup& s = State();
  if (!s.engine->Manager() || !s.engine->Parser()) {
    state.SkipWithError("Vendrix.dll was not found beside the benchmark");
    return;
  }
  // An address of no shop in the site table: the worker drops each page at
  // once, so the ticks measure the user-interface thread's part alone.
  const PriceWatchView view{&s, &s.captured};
  for (auto _ : state) s.engine->QueueParse(view, u"http://not-a-shop.example/item.html", s.document.Get());
  if (s.engine->WaitingRequests() > 1) state.SkipWithError("pages piled up");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.page.size() * 2));
}
BENCHMARK(CaptureTick)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
