#include "site_table.h"

#include <tinyxml.h>

#include <cstdio>

#include "shopping/text_conversions.h"
#include "shopping/xml_read_guard.h"
#include "win/crt_numbers.h"
#include "win/strings.h"
#include "win/text_encoding.h"
#include "win/url_parts.h"

namespace {

const char16_t kPricePathListName[] = u"PricePathList";

// The rules of one site: the first child element named PricePathList (in
// any case) gives one rule per child element, the text of the rule element's
// first child when that is text, otherwise an empty rule.
std::vector<std::u16string> ReadPricePathList(const TiXmlElement& site) {
  std::vector<std::u16string> rules;
  const TiXmlElement* list = site.FirstChildElement();
  while (list && StrCmpIW(Utf8ToWide(list->Value()).c_str(), kPricePathListName) != 0)
    list = list->NextSiblingElement();
  if (!list) return rules;
  for (const TiXmlElement* rule = list->FirstChildElement(); rule; rule = rule->NextSiblingElement()) {
    const TiXmlNode* first = rule->FirstChild();
    rules.push_back(first && first->ToText() ? Utf8ToWide(first->Value()) : std::u16string());
  }
  return rules;
}

int ReadType(const char* attribute) {
  std::u16string text = Utf8ToWide(attribute);
  return text.empty() ? -1 : _wtoi(text.c_str());
}

}  // namespace

std::u16string LowerAsciiLetters(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return text;
}

bool SiteTable::LoadFile(const std::string& path) {
  m_sites.clear();
  std::string text;
  return ReadWholeXmlFile(path, &text) && LoadText(text);
}

bool SiteTable::LoadText(const std::string& xml) {
  m_sites.clear();
  // A table is UTF-8: anything else counts as broken (see xml_read_guard.h
  // for why the reader must never see a lead byte without its sequence).
  if (!xml.empty() && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, xml.data(), static_cast<int>(xml.size()),
                                          nullptr, 0) == 0)
    return false;
  const std::string padded = GuardedXmlText(xml);
  if (padded.empty()) return false;
  TiXmlDocument document;
  document.Parse(padded.c_str());
  if (document.Error()) return false;
  return Fill(document);
}

bool SiteTable::Fill(const TiXmlDocument& document) {
  const TiXmlElement* root = document.RootElement();
  if (!root) return false;
  for (const TiXmlElement* site = root->FirstChildElement(); site; site = site->NextSiblingElement()) {
    DomainInfo info;
    info.name = Utf8ToWide(site->Attribute("name"));
    info.domain = Utf8ToWide(site->Attribute("url"));
    info.type = ReadType(site->Attribute("type"));
    info.rules = ReadPricePathList(*site);
    // The first entry of a domain wins.
    m_sites.try_emplace(LowerAsciiLetters(info.domain), std::move(info));
  }
  return true;
}

const DomainInfo* SiteTable::Find(const std::u16string& key) const {
  auto it = m_sites.find(key);
  return it == m_sites.end() ? nullptr : &it->second;
}

const DomainInfo* SiteTable::FindSiteForUrl(LPCWSTR url) const {
  std::u16string host;
  if (!HostOfUrl(url, host)) return nullptr;
  return Find(LowerAsciiLetters(GetRegisteredDomain(host)));
}

bool HostOfUrl(LPCWSTR url, std::u16string& host) {
  if (!url) return false;
  WCHAR buffer[MAX_PATH];
  DWORD size = MAX_PATH;
  if (UrlGetPartW(url, buffer, &size, URL_PART_HOSTNAME, 0) != S_OK) return false;
  host.assign(buffer, size);
  return true;
}

std::u16string GetRegisteredDomain(const std::u16string& host) {
  std::vector<std::u16string> labels;
  std::size_t start = 0;
  while (start <= host.size()) {
    std::size_t dot = host.find(u'.', start);
    if (dot == std::u16string::npos) dot = host.size();
    if (dot > start) labels.push_back(host.substr(start, dot - start));
    start = dot + 1;
  }
  const std::size_t n = labels.size();
  if (n < 2) return {};
  std::u16string key = labels[n - 2] + u"." + labels[n - 1];
  if (n >= 4 && StrCmpIW(key.c_str(), u"com.cn") == 0) key = labels[n - 3] + u"." + key;
  return key;
}
