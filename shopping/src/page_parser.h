#pragma once
// The heart of the page parser: finds a page's site, builds the page's
// document and lets the site's strategy read the price. Owns the site table
// (read-only after construction) and the strategy cache (locked inside), so
// any thread may parse; each parse builds and releases its own document on
// the calling thread.
#include "shopping/reduce_price_item.h"
#include "site_table.h"
#include "strategy_cache.h"

class PageParser {
 public:
  explicit PageParser(SiteTable sites) : m_sites(std::move(sites)) {}

  // S_OK with CurrentPrice, Url, Title and SiteName written; a failure
  // leaves item as it was. E_FAIL for null html or item, an address of no
  // known site, a site type without strategy, a document that cannot be
  // built, or a page whose price the strategy cannot find.
  HRESULT ParseHtml(LPCWSTR html, LPCWSTR url, ReducePriceItem* item);

  const SiteTable& Sites() const { return m_sites; }
  StrategyCache& Strategies() { return m_strategies; }

 private:
  SiteTable m_sites;
  StrategyCache m_strategies;
};

// Writes the display name of the address's site into item's SiteName ("未知"
// when the site is not in the table), cut to 49 characters.
void FillSiteName(const PageParser& parser, LPCWSTR url, ReducePriceItem* item);
// The site table's path: "config/domainList.xml" beside the program file,
// in the host's encoding.
std::string DefaultSiteTablePath();
