// ParseHtml of a 1 MB product page of a rule-driven shop, against the bare
// HTML parser (gumbo) parsing the same page's bytes, in the same run.
#include <benchmark/benchmark.h>
#include <gumbo.h>

#include <string>

#include "page_parser.h"
#include "product_page.h"
#include "win/text_encoding.h"

namespace {

const std::u16string& Page() {
  static const std::u16string page = BuildProductPage();
  return page;
}

std::string PageBytes() {
  const std::u16string& page = Page();
  int n = WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, page.data(), static_cast<int>(page.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

// The bare parse; the argument is gumbo's error limit: -1 (its default, the
// bare call) or 0 (error recording off, as the parser runs it, the stricter
// baseline).
void BareGumboParse(benchmark::State& state) {
  const std::string bytes = PageBytes();
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = static_cast<int>(state.range(0));
  for (auto _ : state) {
    GumboOutput* output = gumbo_parse_with_options(&options, bytes.data(), bytes.size());
    benchmark::DoNotOptimize(output->root);
    gumbo_destroy_output(&options, output);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BareGumboParse)->Arg(-1)->Arg(0)->Unit(benchmark::kMillisecond);

void ParseHtmlOfProductPage(benchmark::State& state) {
  SiteTable table;
  table.LoadText(R"(<sites><site name="京东" url="jd.com" type="0"><PricePathList>
    <p>$$tag=span,class_name=p-price$$</p><p>$$tag=strong,id=jd-price$$</p></PricePathList></site></sites>)");
  PageParser parser(std::move(table));
  const std::u16string& page = Page();
  for (auto _ : state) {
    ReducePriceItem item;
    InitReducePriceItem(&item);
    if (parser.ParseHtml(page.c_str(), u"https://item.jd.com/100012043978.html", &item) != S_OK ||
        item.CurrentPrice != 6999.0)
      state.SkipWithError("the page did not parse");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PageBytes().size()));
}
BENCHMARK(ParseHtmlOfProductPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
