// The site-table reader over arbitrary XML, then lookups in what it read.
#include <cstdint>
#include <string>

#include "page_parser.h"
#include "site_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SiteTable table;
  table.LoadText(std::string(reinterpret_cast<const char*>(data), size));
  PageParser parser(std::move(table));
  for (const char16_t* url : {u"http://item.jd.com/1.html", u"https://a.b.com.cn/x", u"http://localhost/", u"x"}) {
    parser.Sites().FindSiteForUrl(url);
    ReducePriceItem item;
    InitReducePriceItem(&item);
    FillSiteName(parser, url, &item);
    if (item.SiteName[49] != 0) __builtin_trap();
  }
  return 0;
}
