#include "shopping/xml_read_guard.h"

#include <cstdio>

namespace {

// Longer than the longest sequence any lead byte announces.
constexpr std::size_t kPadding = 8;

}  // namespace

bool ReadWholeXmlFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  if (path.empty()) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[16384];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes->append(buffer, n);
  const bool complete = !std::ferror(file);
  std::fclose(file);
  if (!complete) bytes->clear();
  return complete;
}

bool XmlNestingWithin(const std::string& xml, int limit) {
  int depth = 0;
  for (std::size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
    char next = at + 1 < xml.size() ? xml[at + 1] : '\0';
    if (next == '/') {
      --depth;
    } else if (next != '!' && next != '?') {
      std::size_t end = xml.find('>', at);
      if (end == std::string::npos) break;
      if (xml[end - 1] != '/' && ++depth > limit) return false;
    }
  }
  return true;
}

std::string GuardedXmlText(const std::string& xml) {
  if (!XmlNestingWithin(xml, kMaxXmlNesting)) return std::string();
  std::string padded = xml;
  padded.append(kPadding, '\0');
  return padded;
}
