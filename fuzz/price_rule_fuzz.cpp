// The rule grammar and the price-text rule over arbitrary text, and the
// rules followed through a fixed page.
#include <cstdint>
#include <cstring>
#include <string>

#include "parse_strategy_template.h"
#include "price_path.h"
#include "price_text.h"
#include "win/com_classes.h"

namespace {

IHTMLDocument2* Page() {
  static IHTMLDocument2* document = [] {
    IHTMLDocument2* doc = nullptr;
    CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2,
                     reinterpret_cast<void**>(&doc));
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT* items = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&items));
    items[0].vt = VT_BSTR;
    items[0].bstrVal = SysAllocString(
        u"<div class=price id=p><span>¥1,299.00</span><strong>12.00 - 15.00</strong></div>"
        u"<ul><li class=a>...</li><li id=x>-5</li></ul><table><tr><td>9</td></tr></table>");
    SafeArrayUnaccessData(array);
    doc->write(array);
    SafeArrayDestroy(array);
    doc->close();
    return doc;
  }();
  return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  std::vector<PathStep> steps;
  if (SplitPricePath(text.c_str(), steps)) {
    for (const PathStep& step : steps) {
      if (step.tag.empty()) __builtin_trap();
    }
  }
  double price = 0.0;
  ParsePriceText(text, &price);
  ReducePriceItem item;
  InitReducePriceItem(&item);
  EvaluatePricePath(text, Page(), &item);
  return 0;
}
