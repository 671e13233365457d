#include "collect_list_reader.h"

#include <tinyxml.h>

#include <cstring>

#include "favourites_list.h"
#include "shopping/text_conversions.h"
#include "shopping/xml_read_guard.h"
#include "win/modules.h"
#include "win/paths.h"

namespace {

// Hands out ids until its kind runs out.
class IdCounter {
 public:
  IdCounter(int first, int count) : next_(first), last_(first + count - 1) {}
  bool Exhausted() const { return next_ > last_; }
  int Take() { return next_++; }

 private:
  int next_;
  int last_;
};

// The text of the element's attribute at position index (0 the first),
// decoded from code page 936; empty when it has fewer attributes.
CString AttributeAt(const TiXmlElement& element, int index) {
  const TiXmlAttribute* attribute = element.FirstAttribute();
  for (; attribute && index > 0; --index) attribute = attribute->Next();
  return attribute ? CString(ChinaAcpToWide(attribute->Value()).c_str()) : CString();
}

class CollectReader {
 public:
  CollectList Read(const TiXmlElement& root) {
    CollectList list;
    for (const TiXmlElement* group = root.FirstChildElement(); group && !groups_.Exhausted();
         group = group->NextSiblingElement()) {
      auto entry = NewGroup(*group);
      for (const TiXmlElement* child = group->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (std::strcmp(child->Value(), "item") == 0) {
          if (groups_.Exhausted()) continue;
          auto nested = NewGroup(*child);
          for (const TiXmlElement* link = child->FirstChildElement(); link; link = link->NextSiblingElement()) {
            if (!links_.Exhausted()) nested->children.push_back(NewLink(*link));
          }
          entry->children.push_back(std::move(nested));
        } else if (!links_.Exhausted()) {
          entry->children.push_back(NewLink(*child));
        }
      }
      list.push_back(std::move(entry));
    }
    return list;
  }

 private:
  std::unique_ptr<CollectEntry> NewGroup(const TiXmlElement& element) {
    auto entry = std::make_unique<CollectEntry>();
    entry->id = groups_.Take();
    entry->title = AttributeAt(element, 0);
    return entry;
  }
  std::unique_ptr<CollectEntry> NewLink(const TiXmlElement& element) {
    auto entry = std::make_unique<CollectEntry>();
    entry->id = links_.Take();
    entry->title = AttributeAt(element, 0);
    entry->url = AttributeAt(element, 1);
    return entry;
  }

  IdCounter groups_{kFirstGroupId, kMaxGroups};
  IdCounter links_{kFirstLinkId, kMaxLinks};
};

}  // namespace

CollectList ReadCollectList(const std::string& xml) {
  // No UTF-8 check as for the site table: this file is code page 936.
  const std::string guarded = GuardedXmlText(xml);
  if (guarded.empty()) return {};
  TiXmlDocument document;
  document.Parse(guarded.c_str());
  const TiXmlElement* root = document.Error() ? nullptr : document.RootElement();
  return root ? CollectReader().Read(*root) : CollectList();
}

CollectList ReadCollectListBeside(LPCWSTR programFile) {
  WCHAR path[MAX_PATH] = {};
  if (!programFile || std::char_traits<WCHAR>::length(programFile) >= MAX_PATH) return {};
  std::char_traits<WCHAR>::copy(path, programFile, std::char_traits<WCHAR>::length(programFile) + 1);
  if (!PathAppendW(path, u"..\\config\\collect.xml")) return {};
  // Files are opened by their host name, UTF-8, never in code page 936: a
  // program folder with a Chinese name is found.
  char* bytes = nullptr;
  int length = 0;
  if (!WideToUtf8(path, &bytes, &length)) return {};
  const std::string hostPath(bytes);
  delete[] bytes;
  std::string xml;
  if (!ReadWholeXmlFile(hostPath, &xml)) return {};
  return ReadCollectList(xml);
}

void LoadCollectList() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  WCHAR program[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  FavouritesList() = ReadCollectListBeside(program);
}
