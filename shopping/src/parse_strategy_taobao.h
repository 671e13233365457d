#pragma once
// CParseStrategyTaoBao: the price strategy of the taobao shop family (site
// types 1 and 2). It ignores the site's rules: it finds the shop block (a
// div whose class, trimmed, is "tb-wrap" or "tb-wrap tb-wrap-newshop" in any
// case), takes the lowest listed price inside it and, when the block carries
// promotion data, the promotion price from the document they name, which is
// downloaded while the calling thread waits (up to 30 minutes).
//
// A parse that ends without any price (no price element held a number and
// no promotion price came) fails and leaves the record as it was, instead of
// reporting a price of 0.0 that a price check would take for a drop to zero.
//
// Holds only its lookup settings, fixed at construction; any number of
// threads may use one object at once, each with its own document.
#include "parse_strategy.h"
#include "promotion_lookup.h"

class CParseStrategyTaoBao : public IParseStrategy {
 public:
  explicit CParseStrategyTaoBao(PromotionLookupSettings lookup = PromotionLookupSettings()) : m_lookup(lookup) {}

  // S_OK when the page has exactly one of the two block classes (the first
  // block of it counts) and ParseShopDiv gives true; E_FAIL otherwise, with
  // item untouched.
  HRESULT Parse(IHTMLDocument2* document, ReducePriceItem* item, const std::vector<std::u16string>* rules) override;

  // Reads the prices inside block in document order: "J_StrPrice" and
  // "J_SpanLimitProm" by the lowest-price rule (a price of 0.0 counts as
  // none yet), "J_VipPriceData" through the promotion lookup, which replaces
  // the price found so far. On success the whole of item (when not null) is
  // replaced by a new record holding only that price. False, item
  // untouched, when the block's elements cannot be had or no price came.
  bool ParseShopDiv(ReducePriceItem* item, IHTMLElement* block) const;

 private:
  PromotionLookupSettings m_lookup;
};
