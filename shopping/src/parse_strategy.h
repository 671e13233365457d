#pragma once
// One site's price strategy: reads the price of a product page from its
// document into a record. Strategies hold no state, so one object serves any
// number of threads at once, each with its own document. Plain abstract
// class, owned by the page parser's strategy cache.
#include <string>
#include <vector>

#include "shopping/reduce_price_item.h"
#include "win/mshtml.h"

class IParseStrategy {
 public:
  // S_OK with the price in item; E_FAIL leaves item as it was (unless the
  // strategy says otherwise). rules: the site's price rules.
  virtual HRESULT Parse(IHTMLDocument2* document, ReducePriceItem* item, const std::vector<std::u16string>* rules) = 0;
  virtual ~IParseStrategy() = default;
};
