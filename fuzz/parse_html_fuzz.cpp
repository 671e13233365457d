// Whole page parses over arbitrary page text: the bounding pre-pass, the HTML
// documents, the element search and the price rules.
#include <cstdint>
#include <string>

#include "page_parser.h"
#include "win/text_encoding.h"

namespace {

const char kTable[] = R"(<sites>
  <site name="shop" url="shop.com" type="0"><PricePathList>
    <p>$$tag=div,class_name=price$$tag=span$$</p>
    <p>$$tag=span,id=price$$</p>
    <p>$$tag=body$$tag=b$$</p>
  </PricePathList></site>
</sites>)";

PageParser& Parser() {
  static PageParser* parser = [] {
    SiteTable table;
    table.LoadText(kTable);
    return new PageParser(std::move(table));
  }();
  return *parser;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > (1 << 20)) return 0;
  // Half the inputs are read as UTF-8, half as code page 936, as pages come.
  UINT codePage = data[0] & 1 ? CP_UTF8 : CP_GBK;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  int n = static_cast<int>(size - 1);
  std::u16string html;
  if (n > 0) {
    int units = MultiByteToWideChar(codePage, 0, bytes, n, nullptr, 0);
    html.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
    if (units > 0) MultiByteToWideChar(codePage, 0, bytes, n, html.data(), units);
  }
  ReducePriceItem item;
  InitReducePriceItem(&item);
  Parser().ParseHtml(html.c_str(), u"http://www.shop.com/item/1.html", &item);
  if (item.Title[259] != 0 || item.Url[2083] != 0 || item.SiteName[49] != 0) __builtin_trap();
  return 0;
}
