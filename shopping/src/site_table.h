#pragma once
// The site table: which shop an address belongs to, the shop's display name,
// the price strategy that reads its pages (its site type) and, for the
// rule-driven strategy, its price rules. Read once from "domainList.xml"
// and never changed afterwards, so any thread may read it.
#include <map>
#include <string>
#include <vector>

#include "win/types.h"

struct DomainInfo {
  std::u16string name;    // display name (attribute "name")
  std::u16string domain;  // registered domain as written (attribute "url")
  int type = -1;          // site type (attribute "type"); -1 when missing or empty
  std::vector<std::u16string> rules;  // the texts of its PricePathList, in order
};

class TiXmlDocument;

class SiteTable {
 public:
  // Loads the table from a file named in the host's encoding (UTF-8) or from
  // XML text. A missing or broken file, or one without a root element, leaves
  // the table empty and gives false.
  bool LoadFile(const std::string& path);
  bool LoadText(const std::string& xml);

  // The entry of the shop an address belongs to; null when there is none.
  const DomainInfo* FindSiteForUrl(LPCWSTR url) const;
  // The entry stored under a key (the lower-cased registered domain).
  const DomainInfo* Find(const std::u16string& key) const;
  std::size_t size() const { return m_sites.size(); }

 private:
  bool Fill(const TiXmlDocument& document);

  std::map<std::u16string, DomainInfo> m_sites;  // keyed by the lower-cased domain
};

// The registered domain of a host: its last two labels, or three when they
// end in "com.cn" and the host has four labels or more; empty for a host of
// fewer than two labels. Empty labels (runs of dots) are dropped; letter case
// is kept.
std::u16string GetRegisteredDomain(const std::u16string& host);

// The host-name part of an address (at most 259 characters); false when it
// has none.
bool HostOfUrl(LPCWSTR url, std::u16string& host);

// A copy with A to Z turned into a to z.
std::u16string LowerAsciiLetters(std::u16string text);
